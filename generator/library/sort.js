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

  // Texts in the order of the page's language, numbers in them by value.
  function rankTexts(values, lang) {
    var n = values.length, rows = [], texts = [], i;
    for (i = 0; i < n; i++) {
      if (values[i] !== "") {
        rows.push(i);
        texts.push(values[i]);
      }
    }
    var place = tsCollate(texts, new Intl.Collator(lang, { numeric: true }));
    var rank = new Int32Array(n).fill(place.count);
    for (i = 0; i < rows.length; i++)
      rank[rows[i]] = place.rank[i];
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
    var texts = [];
    for (var k = 0; k < 10; k++)
      for (var i = 0; i < some.length; i++)
        texts.push(some[i] + " " + k);
    for (k = 0; k < 3; k++)
      rankTexts(texts, lang);
  }

  return { rankNumbers: rankNumbers, rankTexts: rankTexts, order: order, warmUp: warmUp };
})();
