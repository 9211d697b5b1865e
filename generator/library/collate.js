// Ordering many distinct texts as Intl.Collator orders them, without asking it about every
// pair: a collator comparison is slow next to everything else the page does, and a sort asks
// for some twenty per text. The texts are first put in the order of keys made from the
// collator's own order of their characters (numbers by value), which is its order for nearly
// every text; the collator then checks each neighbour once and mends what the keys got wrong.
"use strict";
var tsCollate = (function () {
  var SmallSort = 2000;
  var InsertionRange = 24;

  // {rank: the place of each text, equal texts sharing one, count: how many places}
  function collate(texts, collator) {
    var d = texts.length, ids = new Int32Array(d);
    for (var i = 0; i < d; i++)
      ids[i] = i;
    var compare = function (a, b) { return collator.compare(texts[a], texts[b]); };
    var sorted = ids;
    if (d <= SmallSort) {
      sorted = Array.from(ids).sort(compare);
    } else {
      var keys = makeKeys(texts, collator);
      radixSort(ids, keys);
      sortEqualKeys(ids, keys, compare);
    }
    var result = places(sorted, compare);
    if (!result) {
      // Rare: a contraction, an expansion or a rule the keys do not know. The sort is
      // adaptive, so texts already in order cost about one comparison each.
      result = places(Array.from(ids).sort(compare), compare);
    }
    return result;
  }

  // The places of texts in order, or null when they are not.
  function places(sorted, compare) {
    var rank = new Int32Array(sorted.length), place = 0;
    for (var i = 0; i < sorted.length; i++) {
      if (i > 0) {
        var c = compare(sorted[i - 1], sorted[i]);
        if (c > 0)
          return null;
        if (c < 0)
          place++;
      }
      rank[sorted[i]] = place;
    }
    return { rank: rank, count: sorted.length ? place + 1 : 0 };
  }

  // Texts that differ only in what the keys leave out (letter case, accents where the language
  // does not count them as letters of their own) are put in order by the collator.
  function sortEqualKeys(ids, keys, compare) {
    for (var i = 0; i < ids.length;) {
      var j = i + 1;
      while (j < ids.length && sameKey(keys, ids[i], ids[j]))
        j++;
      if (j - i > 1)
        ids.set(Array.from(ids.subarray(i, j)).sort(compare), i);
      i = j;
    }
  }

  function sameKey(keys, a, b) {
    var pa = keys.offsets[a], pb = keys.offsets[b], length = keys.offsets[a + 1] - pa;
    if (keys.offsets[b + 1] - pb !== length)
      return false;
    for (var k = 0; k < length; k++)
      if (keys.elements[pa + k] !== keys.elements[pb + k])
        return false;
    return true;
  }

  function isDigit(u) {
    return u >= 48 && u <= 57;
  }

  // Each text as a row of small numbers: its characters' places in the collator's order
  // (characters it ignores left out), a run of digits as a digit's place, the run's length
  // without leading zeros and the digits.
  function makeKeys(texts, collator) {
    var seen = new Uint8Array(65536), units = [], total = 0, i, j;
    for (i = 0; i < texts.length; i++) {
      var t = texts[i];
      total += t.length + 2;
      for (j = 0; j < t.length; j++) {
        var u = t.charCodeAt(j);
        if (!seen[u]) {
          seen[u] = 1;
          units.push(u);
        }
      }
    }
    var base = new Intl.Collator(collator.resolvedOptions().locale, { sensitivity: "base", numeric: false });
    var chars = units.map(function (u) { return String.fromCharCode(u); });
    chars.sort(base.compare);
    var place = new Uint16Array(65536), p = 0;
    for (i = 0; i < chars.length; i++) {
      if (base.compare(chars[i], "") === 0)
        continue; // ignorable
      if (p === 0 || base.compare(chars[i - 1], chars[i]) !== 0)
        p++;
      place[chars[i].charCodeAt(0)] = Math.min(p, 65535);
    }
    var digitPlace = place[48], most = Math.max(p, digitPlace);
    var elements = new Uint16Array(total), offsets = new Int32Array(texts.length + 1), k = 0;
    for (i = 0; i < texts.length; i++) {
      t = texts[i];
      offsets[i] = k;
      for (j = 0; j < t.length; j++) {
        u = t.charCodeAt(j);
        if (isDigit(u) && digitPlace) {
          var from = j;
          while (from < t.length - 1 && t.charCodeAt(from) === 48 && isDigit(t.charCodeAt(from + 1)))
            from++;
          var to = from;
          while (to < t.length && isDigit(t.charCodeAt(to)))
            to++;
          elements[k++] = digitPlace;
          elements[k++] = to - from;
          most = Math.max(most, to - from);
          for (var m = from; m < to; m++)
            elements[k++] = place[t.charCodeAt(m)];
          j = to - 1;
        } else if (place[u]) {
          elements[k++] = place[u];
        }
      }
    }
    offsets[texts.length] = k;
    return { elements: elements, offsets: offsets, alphabet: most + 1 };
  }

  // The element at `depth` of text `id`, 0 past its end.
  function at(keys, id, depth) {
    var p = keys.offsets[id] + depth;
    return p < keys.offsets[id + 1] ? keys.elements[p] + 1 : 0;
  }

  function compareFrom(keys, a, b, depth) {
    for (;; depth++) {
      var x = at(keys, a, depth), y = at(keys, b, depth);
      if (x !== y)
        return x - y;
      if (x === 0)
        return a - b;
    }
  }

  // Most significant element first: each range of texts equal so far is split by its next
  // element; short ranges are finished by insertion.
  function radixSort(ids, keys) {
    var buckets = keys.alphabet + 2, count = new Int32Array(buckets), scratch = new Int32Array(ids.length);
    var stack = [0, ids.length, 0];
    while (stack.length) {
      var depth = stack.pop(), hi = stack.pop(), lo = stack.pop(), i;
      if (hi - lo <= InsertionRange) {
        for (i = lo + 1; i < hi; i++) {
          var id = ids[i], j = i - 1;
          while (j >= lo && compareFrom(keys, ids[j], id, depth) > 0) {
            ids[j + 1] = ids[j];
            j--;
          }
          ids[j + 1] = id;
        }
        continue;
      }
      count.fill(0);
      for (i = lo; i < hi; i++)
        count[at(keys, ids[i], depth) + 1]++;
      for (i = 1; i < buckets; i++)
        count[i] += count[i - 1];
      for (i = lo; i < hi; i++) {
        var e = at(keys, ids[i], depth);
        scratch[lo + count[e]++] = ids[i];
      }
      ids.set(scratch.subarray(lo, hi), lo);
      // Bucket 0 holds texts that have ended: equal to each other, kept in their order.
      var start = lo + count[0];
      for (var b = 1; b < buckets - 1 && start < hi; b++) {
        var end = lo + count[b];
        if (end - start > 1)
          stack.push(start, end, depth + 1);
        start = end;
      }
    }
  }

  return collate;
})();
