// Search as you type: texts folded so that a query finds them whatever their letter case,
// accents and compatibility forms, and every word of a query looked for inside one field.
"use strict";
var tsSearch = (function () {
  // A field's marks go, but for one that starts it: a field of marks alone must not fold to the
  // empty field that stands for a repeat of the one above.
  var Marks = /(?<!^|\x7f)\p{M}+/gu;
  var Controls = /[\x00-\x1f]/g; // U+007F stays: it separates a column's fields
  var Letters = /[\u00df\u00e6\u0153\u00f8\u0142\u0111\u00f0\u00fe\u0131\u03c2\u2018\u2019\u02bc]/g;
  var Spelled = {
    "\u00df": "ss", "\u00e6": "ae", "\u0153": "oe", "\u00f8": "o", "\u0142": "l", "\u0111": "d", "\u00f0": "d",
    "\u00fe": "th", "\u0131": "i", "\u03c2": "\u03c3", "\u2018": "'", "\u2019": "'", "\u02bc": "'"
  };
  var MostWords = 30;

  function fold(text) {
    return text.normalize("NFKD").replace(Marks, "").toLowerCase()
      .replace(Letters, function (c) { return Spelled[c]; }).replace(Controls, " ");
  }

  // The query's words, folded, without those that another word contains (they add nothing),
  // the longest first: it rules out the most rows.
  function queryWords(query) {
    var all = fold(query).split(/[\s\x7f]+/).filter(function (w) { return w.length > 0; });
    all.sort(function (a, b) { return b.length - a.length; });
    var kept = [];
    for (var i = 0; i < all.length && kept.length < MostWords; i++)
      if (!kept.some(function (k) { return k.indexOf(all[i]) >= 0; }))
        kept.push(all[i]);
    return kept;
  }

  // True when every row that matches `now` matched `before` too: each earlier word lies inside
  // a word of the new query.
  function narrows(before, now) {
    return before.every(function (b) { return now.some(function (w) { return w.indexOf(b) >= 0; }); });
  }

  // The chunk's searchable texts: each column's string folded, with where each row's field
  // starts in it (a field that repeats the one above it is empty).
  function foldChunk(chunk, columns) {
    if (chunk.fold !== null)
      return;
    var texts = [], offsets = [];
    for (var c = 0; c < columns; c++) {
      var text = fold(chunk.texts[c]), at = new Int32Array(chunk.count + 1), p = 0;
      for (var r = 0; r < chunk.count; r++) {
        at[r] = p;
        p = text.indexOf("\x7f", p) + 1 || text.length + 1;
      }
      at[chunk.count] = text.length + 1;
      texts.push(text);
      offsets.push(at);
    }
    chunk.fold = texts;
    chunk.offsets = offsets;
  }

  var need = new Int32Array(1024);

  // Sets match[row] for the chunk's rows that hold every word, each inside one field or in the
  // path of the row's folder; only rows for which `before` is set (when given) are looked at.
  // Returns how many matched.
  function matchChunk(chunk, columns, folders, folderOf, words, before, match) {
    var first = chunk.first, count = chunk.count, r;
    if (before !== null) {
      var any = false;
      for (r = 0; r < count && !any; r++)
        any = before[first + r] === 1;
      if (!any) {
        match.fill(0, first, first + count);
        return 0;
      }
    }
    foldChunk(chunk, columns);
    if (need.length < count)
      need = new Int32Array(count * 2);
    var all = (1 << words.length) - 1;
    for (r = 0; r < count; r++)
      need[r] = before !== null && before[first + r] !== 1 ? -1 : all;
    var w, f;
    for (f = folderOf[first]; f < folders.length && folders[f].first < first + count; f++) {
      var folder = folders[f];
      if (folder.fold === null)
        folder.fold = fold(folder.path);
      var found = 0;
      for (w = 0; w < words.length; w++)
        if (folder.fold.indexOf(words[w]) >= 0)
          found |= 1 << w;
      if (found) {
        var to = Math.min(folder.first + folder.count, first + count) - first;
        for (r = Math.max(folder.first - first, 0); r < to; r++)
          if (need[r] > 0)
            need[r] &= ~found;
      }
    }
    for (w = 0; w < words.length; w++) {
      var bit = 1 << w, word = words[w];
      for (var c = 0; c < columns; c++) {
        var text = chunk.fold[c], offsets = chunk.offsets[c], p = text.indexOf(word);
        r = 0;
        while (p >= 0) {
          while (offsets[r + 1] <= p)
            r++;
          if (need[r] > 0)
            need[r] &= ~bit;
          // The rows below that repeat the field hold the word too.
          for (var k = r + 1; k < count && offsets[k + 1] - offsets[k] === 1; k++)
            if (need[k] > 0)
              need[k] &= ~bit;
          p = text.indexOf(word, offsets[r + 1]);
        }
      }
    }
    var matched = 0;
    for (r = 0; r < count; r++) {
      var hit = need[r] === 0 ? 1 : 0;
      match[first + r] = hit;
      matched += hit;
    }
    return matched;
  }

  // The searchable texts are made while the page waits for its reader, a few chunks at a time.
  function foldWhenIdle(chunks, columns, from) {
    var next = function (deadline) {
      var i = from, least = i + 1;
      while (i < chunks.length && (i < least || deadline.timeRemaining() > 2))
        foldChunk(chunks[i++], columns);
      if (i < chunks.length)
        foldWhenIdle(chunks, columns, i);
    };
    if (window.requestIdleCallback)
      requestIdleCallback(next, { timeout: 1000 });
    else
      setTimeout(function () { next({ timeRemaining: function () { return 0; } }); }, 20);
  }

  return { fold: fold, foldWhenIdle: foldWhenIdle, queryWords: queryWords, narrows: narrows, foldChunk: foldChunk, matchChunk: matchChunk };
})();
