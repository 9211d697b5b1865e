// The rows' texts as they arrive, a chunk of whole folders at a time: a chunk holds a string
// per column, split into cells only where cells are needed (the rows in view, a sort), so that
// a long list costs the browser a string per column and chunk, not one per cell.
"use strict";
function tsChunks(ncols, nameCol) {
  var Separator = "\x7f";
  var list = []; // {first, count, texts: [a string per column], links, segs: [row, prefix, ...]}
  var splitChunks = [];

  function chunkOf(row) {
    var lo = 0, hi = list.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (list[mid].first <= row)
        lo = mid;
      else
        hi = mid - 1;
    }
    return list[lo];
  }

  // A column's cells from its string: fields separated by U+007F, an empty one repeating the
  // cell above it (the chunk's first row has an empty cell above it), "\x01" an empty cell.
  function expand(text) {
    var cells = text.split(Separator);
    for (var r = 0; r < cells.length; r++) {
      var cell = cells[r];
      if (cell === "")
        cells[r] = r ? cells[r - 1] : "";
      else if (cell === "\x01")
        cells[r] = "";
    }
    return cells;
  }

  // A chunk's cells as arrays, kept for the few chunks last drawn (a chunk holds thousands of
  // rows, and the rows in view lie in one or two).
  function split(chunk) {
    if (!chunk.split) {
      var parts = [];
      for (var c = 0; c < ncols; c++)
        parts.push(expand(chunk.texts[c]));
      parts.push(chunk.links === null ? null : chunk.links.split(Separator));
      chunk.split = parts;
      splitChunks.push(chunk);
      if (splitChunks.length > 6)
        splitChunks.shift().split = null;
    }
    return chunk.split;
  }

  function cells(row) {
    var chunk = chunkOf(row), parts = split(chunk), k = row - chunk.first, out = [];
    for (var c = 0; c < ncols; c++)
      out.push(parts[c][k]);
    return out;
  }

  function link(row) {
    var chunk = chunkOf(row), parts = split(chunk), prefix = "";
    for (var i = 0; i < chunk.segs.length && chunk.segs[i] <= row; i += 2)
      prefix = chunk.segs[i + 1];
    var end = parts[ncols][row - chunk.first];
    return prefix + (end === "" ? parts[nameCol][row - chunk.first] : end);
  }

  // Some of column c's texts, from the first chunks.
  function sample(c) {
    var out = [];
    for (var i = 0; i < list.length && out.length < 400; i++)
      out = out.concat(split(list[i])[c].slice(0, 400 - out.length));
    return out;
  }

  // Every row's cell in column c.
  function column(c, n) {
    var values = new Array(n), k = 0;
    for (var i = 0; i < list.length; i++) {
      var chunk = list[i], parts = chunk.split ? chunk.split[c] : expand(chunk.texts[c]);
      for (var r = 0; r < parts.length; r++)
        values[k++] = parts[r];
    }
    return values;
  }

  // Column c's cells read in place, as tsSort.rankTexts reads them: cell(string, from, to) for
  // each row, from equal to to for an empty cell, to negative for one that repeats the cell
  // above it.
  function scan(c, cell) {
    for (var i = 0; i < list.length; i++) {
      var text = list[i].texts[c], from = 0;
      for (var r = 0; r < list[i].count; r++) {
        var to = text.indexOf(Separator, from);
        if (to < 0)
          to = text.length;
        if (to === from)
          cell(text, from, r ? -1 : from);
        else if (to === from + 1 && text.charCodeAt(from) === 1)
          cell(text, from, from);
        else
          cell(text, from, to);
        from = to + 1;
      }
    }
  }

  return { list: list, cells: cells, link: link, sample: sample, column: column, scan: scan };
}
