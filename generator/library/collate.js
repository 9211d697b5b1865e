// Ordering many distinct texts as Intl.Collator orders them without asking it about every pair:
// a collator comparison is slow next to everything else the page does, and a sort asks for
// some twenty per text. The collator is asked once about each character the texts use (and
// each pair of them that it reads as one letter); a text then becomes a row of numbers, the
// characters' places in its order, with a run of digits standing for its value. Those rows
// are sorted by radix, which puts texts in the collator's order wherever they differ in more
// than letter case and accents; the collator orders the texts whose rows are equal, and the
// few texts holding a character whose place it does not tell (one it reads as several, such
// as a ligature it does not spell out) are put in their places by it alone.
"use strict";
var tsCollate = (function () {
  var SmallSort = 2000;
  var MostPairTests = 160; // characters: pairs of more are not looked for
  // The keys hold a text's first elements only: texts that agree that far are few, and the
  // collator orders them. In small groups (a folder's files) fewer tell the texts apart.
  var KeyLength = 24, GroupKeyLength = 12, SmallGroup = 256;
  var Spelled = { "\u00df": "ss", "\u00e6": "ae", "\u00c6": "AE", "\u0153": "oe", "\u0152": "OE", "\u0133": "ij", "\u0132": "IJ" };

  // {rank: the place of each text, equal texts sharing one, count: how many places}. The texts
  // may repeat; they are an array of strings or a list of pieces of longer strings (`pieces`).
  // The texts from each of `starts` to the next are ordered among themselves only.
  function collate(texts, collator, starts) {
    var list = Array.isArray(texts) ? pieces(texts) : texts, d = list.count, made = new Array(d);
    // The collator needs texts as strings: made for the few texts it is asked about.
    var text = function (a) {
      var t = made[a];
      return t === undefined ? (made[a] = list.strings[list.owner[a]].substring(list.from[a], list.to[a])) : t;
    };
    var compare = function (a, b) {
      var x = text(a), y = text(b);
      return x === y ? 0 : collator.compare(x, y);
    };
    starts = starts || [0, d];
    var groups = starts.length - 1, sorted = new Int32Array(d), g, i;
    for (i = 0; i < d; i++)
      sorted[i] = i;
    if (d <= SmallSort) {
      for (g = 0; g < groups; g++)
        sorted.set(Array.from(sorted.subarray(starts[g], starts[g + 1])).sort(compare), starts[g]);
      return places(sorted, null, compare);
    }
    var keys = makeKeys(list, collator, d / groups < SmallGroup ? GroupKeyLength : KeyLength), complex = keys.complex, ranges = [], extra = [], k = 0;
    for (g = 0; g < groups; g++) {
      var from = k, own = [];
      for (i = starts[g]; i < starts[g + 1]; i++) {
        if (complex[i])
          own.push(i);
        else
          sorted[k++] = i;
      }
      ranges.push(from, k, 0);
      extra.push(own);
    }
    keys.tied = new Uint8Array(d);
    // The first k places hold the texts with keys; the rest are merged in below.
    tsRadix(sorted.subarray(0, k), keys, ranges);
    sortEqualKeys(sorted.subarray(0, k), keys.tied, compare);
    // The texts whose keys the collator alone can place, put in their places; too many letters
    // to look for pairs among, and the collator checks every neighbour.
    var resorted = false;
    if (k < d || !keys.pairsKnown) {
      var all = new Int32Array(d), at = 0;
      for (g = 0; g < groups; g++) {
        var group = sorted.subarray(ranges[3 * g], ranges[3 * g + 1]);
        if (extra[g].length)
          group = mergeInto(group, extra[g].sort(compare), compare);
        if (!keys.pairsKnown && !inOrder(group, compare)) {
          group = Array.from(group).sort(compare);
          resorted = true;
        }
        all.set(group, at);
        at += group.length;
      }
      sorted = all;
    }
    return places(sorted, resorted ? null : keys, compare);
  }

  function inOrder(sorted, compare) {
    for (var i = 1; i < sorted.length; i++)
      if (compare(sorted[i - 1], sorted[i]) > 0)
        return false;
    return true;
  }

  // The texts of `extra`, in order, put into `sorted` where the collator places them.
  function mergeInto(sorted, extra, compare) {
    var out = new Int32Array(sorted.length + extra.length), k = 0, from = 0;
    for (var i = 0; i < extra.length; i++) {
      var lo = from, hi = sorted.length;
      while (lo < hi) {
        var mid = (lo + hi) >> 1;
        if (compare(sorted[mid], extra[i]) <= 0)
          lo = mid + 1;
        else
          hi = mid;
      }
      while (from < lo)
        out[k++] = sorted[from++];
      out[k++] = extra[i];
    }
    while (from < sorted.length)
      out[k++] = sorted[from++];
    return out;
  }

  // The places of texts in order; texts whose keys differ are not equal.
  function places(sorted, keys, compare) {
    var n = sorted.length, rank = new Int32Array(n), place = 0;
    var complex = keys === null ? null : keys.complex, tied = keys === null ? null : keys.tied;
    if (n)
      rank[sorted[0]] = 0;
    for (var i = 1; i < n; i++) {
      var a = sorted[i - 1], b = sorted[i];
      if (complex === null || complex[a] === 1 || complex[b] === 1 || tied[b] === 1 ? compare(a, b) !== 0 : true)
        place++;
      rank[b] = place;
    }
    return { rank: rank, count: n ? place + 1 : 0 };
  }

  // Puts runs of texts with equal keys (`tied` to the one before) in the collator's order.
  function sortEqualKeys(ids, tied, compare) {
    for (var i = 0; i < ids.length;) {
      var j = i + 1;
      while (j < ids.length && tied[ids[j]])
        j++;
      if (j - i > 1 && !allSame(ids, i, j, compare)) {
        var run = Array.from(ids.subarray(i, j)).sort(function (a, b) { return compare(a, b) || a - b; });
        ids.set(run, i);
        tied[run[0]] = 0;
        for (var k = 1; k < run.length; k++)
          tied[run[k]] = 1;
      }
      i = j;
    }
  }

  function isDigit(u) {
    return u >= 48 && u <= 57;
  }

  // The collator's order of the characters `seen`: each one's place (0: ignored), the pairs it
  // reads as one letter with theirs, and the characters whose place says nothing (spelled out
  // where that is known).
  function alphabet(seen, collator) {
    var units = [], i;
    for (i = 0; i < seen.length; i++)
      if (seen[i])
        units.push(String.fromCharCode(i));
    // The letters a character may spell out need places of their own.
    units.slice().forEach(function (c) {
      var spelling = Spelled[c] || c.normalize("NFKD");
      for (var k = 0; spelling.length > 1 && k < spelling.length; k++) {
        var v = spelling.charCodeAt(k);
        if (!seen[v]) {
          seen[v] = 1;
          units.push(spelling.charAt(k));
        }
      }
    });
    var base = new Intl.Collator(collator.resolvedOptions().locale, { sensitivity: "base" });
    var letters = units.filter(function (c) { return base.compare(c, "") !== 0 && !isDigit(c.charCodeAt(0)); });
    letters.sort(base.compare);
    var pairs = findPairs(letters.filter(function (c) { return /\p{L}/u.test(c); }), base);
    // "0" stands for every run of digits.
    var all = letters.concat(Object.keys(pairs), ["0"]).sort(base.compare);
    var place = new Uint16Array(65536), pairPlace = new Map(), pairStart = new Uint8Array(65536), p = 1, most = 0;
    for (i = 0; i < all.length; i++) {
      if (i > 0 && base.compare(all[i - 1], all[i]) !== 0)
        p++;
      most = Math.min(p + 10, 65535);
      if (all[i].length === 1)
        place[all[i].charCodeAt(0)] = Math.min(p + 10, 65535);
      else {
        pairPlace.set(all[i].charCodeAt(0) * 65536 + all[i].charCodeAt(1), Math.min(p + 10, 65535));
        pairStart[all[i].charCodeAt(0)] = 1;
      }
    }
    // A character after which even the last character comes before the next one is a letter
    // of its own; one that is not reads as several.
    var last = letters[letters.length - 1], spelled = new Int32Array(65536), spellings = [null], expands = false;
    for (i = 1; i < letters.length; i++) {
      var c = letters[i], before = letters[i - 1];
      // Letters the collator does not tell apart from the one before share its verdict.
      if (place[before.charCodeAt(0)] !== place[c.charCodeAt(0)])
        expands = base.compare(before + last, c) >= 0;
      if (expands) {
        var spelling = Spelled[c] || c.normalize("NFKD");
        // A character spelled out stands for its letters' places; one that is not cannot be placed.
        if (spelling.length > 1 && base.compare(spelling, c) === 0) {
          spelled[c.charCodeAt(0)] = spellings.length;
          spellings.push(Array.from(spelling, function (ch) { return place[ch.charCodeAt(0)]; }));
        } else {
          spelled[c.charCodeAt(0)] = -1;
        }
      }
    }
    return { pairsKnown: letters.length <= MostPairTests, place: place, pairs: pairPlace, pairStart: pairStart, spelled: spelled, spellings: spellings, digits: place[48], most: most };
  }

  // Pairs of characters that the collator reads as one letter ("ch" in Slovak, "aa" in
  // Danish): they do not sort between the pairs of their neighbours' letters.
  function findPairs(letters, base) {
    var pairs = {}, groups = [];
    if (letters.length > MostPairTests)
      return pairs;
    for (var i = 0; i < letters.length; i++)
      if (i === 0 || base.compare(letters[i - 1], letters[i]) !== 0)
        groups.push(letters[i]);
    for (i = 0; i < letters.length; i++) {
      var x = letters[i];
      for (var j = 0; j < letters.length; j++) {
        var pair = x + letters[j], g = groups.indexOf(letters[j]);
        if (g < 0)
          g = groupOf(groups, letters[j], base);
        var low = g > 0 ? x + groups[g - 1] : x, high = g + 1 < groups.length ? x + groups[g + 1] : null;
        if (base.compare(pair, low) <= 0 || (high !== null && base.compare(pair, high) >= 0))
          pairs[pair] = true;
      }
    }
    return pairs;
  }

  function groupOf(groups, letter, base) {
    for (var g = groups.length - 1; g > 0; g--)
      if (base.compare(groups[g], letter) <= 0)
        return g;
    return 0;
  }

  // Texts as pieces of longer strings: text i is strings[owner[i]] from from[i] to to[i]. A
  // column's cells are pieces of its chunks' strings, read in place.
  function pieces(array) {
    var n = array.length, owner = new Int32Array(n), from = new Int32Array(n), to = new Int32Array(n);
    for (var i = 0; i < n; i++) {
      owner[i] = i;
      to[i] = array[i].length;
    }
    return { strings: array, owner: owner, from: from, to: to, count: n };
  }

  // Each text's first `length` characters, copied into one array that the key making reads
  // more than once.
  function copyStarts(list, length) {
    var n = list.count, units = new Uint16Array(n * length), counts = new Uint8Array(n), cut = new Uint8Array(n);
    var seen = new Uint8Array(65536), strings = list.strings, owner = list.owner, from = list.from, to = list.to;
    for (var i = 0; i < n; i++) {
      var t = strings[owner[i]], start = from[i], end = Math.min(to[i], start + length), at = i * length - start;
      for (var j = start; j < end; j++) {
        var u = t.charCodeAt(j);
        units[at + j] = u;
        seen[u] = 1;
      }
      counts[i] = end - start;
      cut[i] = to[i] > end ? 1 : 0;
    }
    return { units: units, counts: counts, cut: cut, seen: seen };
  }

  // Each text as a row of numbers (its letters' places; a run of digits as the digits' place,
  // the run's length without leading zeros and the digits) and whether the row can be trusted.
  // A key holds at most `length` elements, made from the text's first `length` characters: a
  // text whose key the characters past them would complete (one with pairs or ignored
  // characters, or a run of digits that goes on) is for the collator to place.
  function makeKeys(list, collator, length) {
    var copy = copyStarts(list, length), units = copy.units, counts = copy.counts, cut = copy.cut;
    var a = alphabet(copy.seen, collator), place = a.place, pairStart = a.pairStart, spelled = a.spelled, spellings = a.spellings;
    var n = list.count, i, j, total = 0;
    for (i = 0; i < n; i++)
      total += Math.min(3 * counts[i], length) + 4;
    var elements = new Uint16Array(total), offsets = new Int32Array(n + 1), complex = new Uint8Array(n);
    var digits = a.digits, k = 0, most = 0;
    for (i = 0; i < n; i++) {
      var at = i * length, reach = counts[i], stop = k + length;
      offsets[i] = k;
      for (j = 0; j < reach && k < stop; j++) {
        var u = units[at + j];
        if (u >= 48 && u <= 57) {
          var from = j;
          while (from < reach - 1 && units[at + from] === 48 && isDigit(units[at + from + 1]))
            from++;
          var to = from;
          while (to < reach && isDigit(units[at + to]))
            to++;
          if (to === reach && cut[i])
            complex[i] = 1;
          elements[k++] = digits;
          elements[k++] = to - from;
          for (var m = from; m < to && k < stop; m++)
            elements[k++] = units[at + m] - 47;
          most = Math.max(most, to - from);
          j = to - 1;
        } else if (pairStart[u] === 1 && j + 1 < reach && a.pairs.has(u * 65536 + units[at + j + 1])) {
          elements[k++] = a.pairs.get(u * 65536 + units[at + j + 1]);
          j++;
        } else if (spelled[u] !== 0) {
          if (spelled[u] < 0)
            complex[i] = 1;
          else
            for (m = 0; m < spellings[spelled[u]].length && k < stop; m++)
              elements[k++] = spellings[spelled[u]][m];
        } else if (place[u]) {
          elements[k++] = place[u];
        }
      }
      if (k < stop && cut[i])
        complex[i] = 1;
    }
    offsets[n] = k;
    most = Math.max(most, a.most, 11);
    return { elements: elements, offsets: offsets, complex: complex, alphabet: most + 1, pairsKnown: a.pairsKnown };
  }

  // The run holds one text only: it stays in page order.
  function allSame(ids, from, to, compare) {
    for (var k = from + 1; k < to; k++)
      if (compare(ids[from], ids[k]) !== 0)
        return false;
    return true;
  }

  return collate;
})();
