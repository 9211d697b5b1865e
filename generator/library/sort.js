// Sorting the library page: every row's rank in a column (equal values share one, empty cells
// come after all), and from ranks the order of the rows, ties in page order.
"use strict";
var tsSort = (function () {
  // Numbers (NaN for an empty cell).
  function rankNumbers(keys) {
    var n = keys.length, present = [], i;
    for (i = 0; i < n; i++)
      if (keys[i] === keys[i])
        present.push(keys[i]);
    var distinct = Float64Array.from(present).sort(), d = 0;
    for (i = 0; i < distinct.length; i++)
      if (i === 0 || distinct[i] !== distinct[d - 1])
        distinct[d++] = distinct[i];
    var rank = new Int32Array(n);
    for (i = 0; i < n; i++) {
      var key = keys[i];
      if (key !== key) {
        rank[i] = d;
        continue;
      }
      var lo = 0, hi = d - 1;
      while (lo < hi) {
        var mid = (lo + hi) >> 1;
        if (distinct[mid] < key)
          lo = mid + 1;
        else
          hi = mid;
      }
      rank[i] = lo;
    }
    return { rank: rank, count: d };
  }

  // Texts in the order of the page's language, numbers in them by value. The n rows' texts are
  // read by `scan(cell)`, which calls cell(string, from, to) for each row in turn: its text is
  // that piece of the string, none when from equals to, the text of the row above when to is
  // negative (an album's name on each of its files: it is placed once). Given the rows where
  // each folder starts (and the end), only the rows of a folder are put in order among
  // themselves: their places say nothing from one folder to another, and ordering many small
  // groups is far less work than ordering the whole list.
  function rankTexts(scan, n, lang, folderStarts) {
    var of = new Int32Array(n), owner = new Int32Array(n), from = new Int32Array(n), to = new Int32Array(n);
    var strings = [], last = null, starts = [0], bounds = folderStarts || [0, n], next = 1, row = 0, d = 0, i;
    scan(function (string, start, end) {
      var first = row === 0;
      for (; next < bounds.length - 1 && bounds[next] === row; next++) {
        starts.push(d);
        first = true;
      }
      var above = row > 0 ? of[row - 1] : -1;
      if (start === end || end < 0 && above < 0) {
        of[row] = -1;
      } else if (end < 0 && !first) {
        of[row] = above;
      } else {
        if (end < 0) { // the first of its folder: a text of its own
          owner[d] = owner[above];
          from[d] = from[above];
          to[d] = to[above];
        } else {
          if (string !== last)
            last = strings[strings.length] = string;
          owner[d] = strings.length - 1;
          from[d] = start;
          to[d] = end;
        }
        of[row] = d++;
      }
      row++;
    });
    starts.push(d);
    var texts = { strings: strings, owner: owner, from: from, to: to, count: d };
    var place = tsCollate(texts, new Intl.Collator(lang, { numeric: true }), starts);
    var rank = of; // each row's text becomes its place
    for (i = 0; i < n; i++)
      rank[i] = of[i] < 0 ? place.count : place.rank[of[i]];
    return { rank: rank, count: place.count };
  }

  // The rows ascending (direction 1) or descending (2) by rank, ties in page order and empty
  // cells last either way; grouped by folder, in page order, when `folderOf` is given.
  function order(ranked, direction, folderOf, folderCounts) {
    var rank = ranked.rank, count = ranked.count, n = rank.length, i;
    var place = function (r) { return direction === 1 || r === count ? r : count - 1 - r; };
    var starts = new Int32Array(count + 2);
    for (i = 0; i < n; i++)
      starts[place(rank[i]) + 1]++;
    for (i = 1; i <= count + 1; i++)
      starts[i] += starts[i - 1];
    var out = new Int32Array(n);
    for (i = 0; i < n; i++)
      out[starts[place(rank[i])]++] = i;
    if (!folderOf)
      return out;
    var at = new Int32Array(folderCounts.length + 1);
    for (var f = 0; f < folderCounts.length; f++)
      at[f + 1] = at[f] + folderCounts[f];
    var grouped = new Int32Array(n);
    for (i = 0; i < n; i++)
      grouped[at[folderOf[out[i]]]++] = out[i];
    return grouped;
  }

  // Runs the text sort on a few thousand texts made from `some`, so that the browser has its
  // code compiled before the first sort of a long list (which then takes half the time).
  function warmUp(some, lang) {
    var texts = [], starts = [], k, i;
    for (k = 0; k < 10; k++)
      for (i = 0; i < some.length; i++)
        texts.push(some[i] + " " + k);
    for (i = 0; i < texts.length; i += 15)
      starts.push(i);
    starts.push(texts.length);
    var scan = function (cell) {
      for (var r = 0; r < texts.length; r++)
        cell(texts[r], 0, r % 4 ? texts[r].length : -1);
    };
    for (k = 0; k < 3; k++) {
      rankTexts(scan, texts.length, lang);
      rankTexts(scan, texts.length, lang, starts);
    }
  }

  return { rankNumbers: rankNumbers, rankTexts: rankTexts, order: order, warmUp: warmUp };
})();
