// The library page. The rows arrive as data, a chunk of whole folders per script element, and
// only the rows in view are in the document: every row has the same height, so a row's place
// follows from its number, and a handful of row elements are filled again as the page scrolls.
"use strict";
var ts = (function () {
  var doc = document;
  // Past this height the list is scaled into it: browsers lay out no taller element.
  var MaxListHeight = 8000000;
  var DrawAhead = 3;

  var cfg, ncols, lang, numbers;
  var table, tbody, topSpace, bottomSpace, bar, countOut, printNote;
  var rowHeight = 20, stickyHeight = 0;

  // The data: rows numbered in page order.
  var n = 0;
  var chunks = []; // {first, count, texts: [a string per column], links, segs: [row, prefix, ...]}
  var folders = []; // {path, first, count, fold}
  var bytes = new Float64Array(1024), secs = new Float64Array(1024), folderOf = new Int32Array(1024);
  var totalBytes = 0, totalSecs = 0;
  var ready = false;

  // What is shown: items are row numbers, or -1 - f for the heading of folder f.
  var view = new Int32Array(0), viewLength = 0;
  var match = null, matchCount = 0, matchBytes = 0, matchSecs = 0, words = [];
  var sortColumn = -1, sortDirection = 0; // 1 ascending, 2 descending, 0 page order
  var order = null, orderLength = 0; // rows in sort order, grouped by folder when tables are per folder
  var ranks = []; // per column, once all data is there: {rank: Int32Array, count}

  var dataRows = [], dirRows = [], splitChunks = [];
  var drawPending = false, viewPending = false, started = false;

  function start(config) {
    cfg = config;
    ncols = cfg.cols.length;
    lang = doc.documentElement.lang || undefined;
    numbers = new Intl.NumberFormat(lang);
    table = doc.getElementById("ts");
    tbody = table.tBodies[0];
    bar = doc.getElementById("ts-bar");
    countOut = doc.getElementById("ts-count");
    printNote = doc.getElementById("ts-print");
    var heads = table.tHead.rows[0].cells;
    for (var c = 0; c < heads.length; c++)
      heads[c].firstChild.addEventListener("click", sortBy.bind(null, c));
    var q = doc.getElementById("q");
    q.addEventListener("input", function () { search(q.value); });
    if (q.value)
      search(q.value);
    addEventListener("scroll", scheduleDraw, { passive: true });
    addEventListener("resize", function () { measure(); scheduleDraw(); });
    addEventListener("beforeprint", printRows);
    addEventListener("afterprint", afterPrint);
    showCount();
  }

  // ---- Data -------------------------------------------------------------------------------

  function grow(size) {
    if (size <= bytes.length)
      return;
    var capacity = bytes.length;
    while (capacity < size)
      capacity *= 2;
    var b = new Float64Array(capacity), s = new Float64Array(capacity), f = new Int32Array(capacity);
    b.set(bytes);
    s.set(secs);
    f.set(folderOf);
    bytes = b;
    secs = s;
    folderOf = f;
  }

  // One chunk: its folders as [path, rows, link prefix, ...], a string per column holding the
  // chunk's cells separated by NUL, the links' ends the same way, sizes and lengths in seconds.
  function add(segs, texts, links, sizes, seconds) {
    var first = n, count = sizes.length;
    grow(n + count);
    var chunk = { first: first, count: count, texts: texts, links: links, segs: [], split: null, fold: null, offsets: null };
    var row = first;
    for (var i = 0; i < segs.length; i += 3) {
      var f = folders.length - 1;
      if (f < 0 || folders[f].path !== segs[i]) {
        folders.push({ path: segs[i], first: row, count: 0, fold: null });
        f++;
      }
      folders[f].count += segs[i + 1];
      chunk.segs.push(row, segs[i + 2]);
      folderOf.fill(f, row, row + segs[i + 1]);
      row += segs[i + 1];
    }
    bytes.set(sizes, first);
    secs.set(seconds, first);
    for (var r = 0; r < count; r++) {
      totalBytes += sizes[r];
      if (seconds[r] > 0)
        totalSecs += seconds[r];
    }
    chunks.push(chunk);
    n += count;
    if (words.length)
      matchChunk(chunk, null);
    if (!started) {
      started = true;
      takeOver();
      rebuildView();
      draw();
      performance.mark("ts-first-rows");
    } else {
      scheduleView();
    }
  }

  function end() {
    ready = true;
    if (!started) {
      started = true;
      takeOver();
    }
    if (sortDirection)
      order = sortedRows(sortColumn, sortDirection);
    rebuildView();
    redraw();
    doc.documentElement.dataset.tsReady = "1";
    performance.mark("ts-ready");
    foldWhenIdle(0);
  }

  function chunkOf(row) {
    var lo = 0, hi = chunks.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (chunks[mid].first <= row)
        lo = mid;
      else
        hi = mid - 1;
    }
    return chunks[lo];
  }

  // A chunk's cells as arrays, kept for the few chunks last drawn.
  function split(chunk) {
    if (!chunk.split) {
      var parts = [];
      for (var c = 0; c < ncols; c++)
        parts.push(chunk.texts[c].split("\0"));
      parts.push(chunk.links === null ? null : chunk.links.split("\0"));
      chunk.split = parts;
      splitChunks.push(chunk);
      if (splitChunks.length > 64)
        splitChunks.shift().split = null;
    }
    return chunk.split;
  }

  function linkOf(chunk, parts, row) {
    var prefix = "";
    for (var i = 0; i < chunk.segs.length && chunk.segs[i] <= row; i += 2)
      prefix = chunk.segs[i + 1];
    return prefix + parts[ncols][row - chunk.first];
  }

  // ---- Drawing ----------------------------------------------------------------------------

  function spaceRow() {
    var tr = doc.createElement("tr"), td = doc.createElement("td");
    tr.className = "ts-space";
    td.colSpan = ncols;
    tr.appendChild(td);
    return tr;
  }

  // The rows written for browsers without scripts give way to the drawn ones.
  function takeOver() {
    while (tbody.firstChild)
      tbody.removeChild(tbody.firstChild);
    topSpace = spaceRow();
    bottomSpace = spaceRow();
    tbody.appendChild(topSpace);
    tbody.appendChild(bottomSpace);
    setWidths();
    measure();
  }

  // Column widths from the first rows, so that they stay as the page scrolls.
  function setWidths() {
    var group = doc.createElement("colgroup"), weights = [], least = 0, sum = 0;
    var heads = table.tHead.rows[0].cells;
    for (var c = 0; c < ncols; c++) {
      var lengths = [];
      for (var i = 0; i < chunks.length && lengths.length < 400; i++) {
        var parts = split(chunks[i]);
        for (var r = 0; r < parts[c].length && lengths.length < 400; r++)
          lengths.push(parts[c][r].length);
      }
      lengths.sort(function (a, b) { return a - b; });
      var typical = lengths.length ? lengths[Math.floor(lengths.length * 0.9)] : 0;
      var head = heads[c].textContent.length + 3;
      var w = Math.max(head, Math.min(typical + 2, 48));
      weights.push(w);
      sum += w;
      least += head;
    }
    for (c = 0; c < ncols; c++) {
      var col = doc.createElement("col");
      col.style.width = (weights[c] * 100 / sum).toFixed(2) + "%";
      group.appendChild(col);
    }
    table.insertBefore(group, table.firstChild);
    table.style.minWidth = Math.max(least, sum * 0.6).toFixed(0) + "ch";
  }

  function measure() {
    stickyHeight = bar.offsetHeight + table.tHead.offsetHeight;
    doc.documentElement.style.setProperty("--ts-bar-height", bar.offsetHeight + "px");
    var sample = dataRows.length ? dataRows[0] : null;
    if (sample && sample.parentNode) {
      var h = sample.getBoundingClientRect().height;
      if (h > 0)
        rowHeight = h;
    }
  }

  function newDataRow() {
    var tr = doc.createElement("tr");
    for (var c = 0; c < ncols; c++) {
      var td = doc.createElement("td"), text = doc.createTextNode("");
      if (cfg.cols[c].link) {
        var a = doc.createElement("a");
        a.appendChild(text);
        td.appendChild(a);
      } else {
        td.appendChild(text);
      }
      tr.appendChild(td);
    }
    tr.item = -1;
    return tr;
  }

  function newDirRow() {
    var tr = doc.createElement("tr"), td = doc.createElement("td");
    tr.className = "ts-dir";
    td.colSpan = ncols;
    td.appendChild(doc.createTextNode(""));
    tr.appendChild(td);
    tr.item = 0;
    return tr;
  }

  function fillRow(tr, row) {
    var chunk = chunkOf(row), parts = split(chunk), k = row - chunk.first, link = null;
    for (var c = 0; c < ncols; c++) {
      var td = tr.cells[c], value = parts[c][k];
      if (cfg.cols[c].link) {
        if (link === null)
          link = linkOf(chunk, parts, row);
        td.firstChild.href = link;
        td.firstChild.firstChild.data = value;
      } else {
        td.firstChild.data = value;
      }
      td.title = value.length > 12 ? value : "";
    }
    tr.item = row;
  }

  function fillDirRow(tr, item) {
    var f = -1 - item;
    tr.firstChild.firstChild.data = cfg.captions ? folders[f].path : "";
    tr.item = item;
  }

  function scheduleDraw() {
    if (!drawPending) {
      drawPending = true;
      requestAnimationFrame(function () { drawPending = false; draw(); });
    }
  }

  function scheduleView() {
    if (!viewPending) {
      viewPending = true;
      requestAnimationFrame(function () {
        viewPending = false;
        rebuildView();
        draw();
      });
    }
  }

  function redraw() {
    measure();
    draw();
  }

  function draw() {
    if (!topSpace || printing)
      return;
    var listTop = topSpace.getBoundingClientRect().top + scrollY;
    var visible = Math.max(rowHeight, innerHeight - stickyHeight);
    var total = viewLength * rowHeight, height = Math.min(total, MaxListHeight);
    var y = Math.min(Math.max(scrollY + stickyHeight - listTop, 0), Math.max(0, height - visible));
    var pos = total > height ? y * (total - visible) / (height - visible) : y;
    var first = Math.floor(pos / rowHeight);
    var from = Math.max(0, first - DrawAhead);
    var to = Math.min(viewLength, first + Math.ceil(visible / rowHeight) + DrawAhead);
    var top = Math.max(0, y - (pos - first * rowHeight) - (first - from) * rowHeight);
    var bottom = Math.max(0, height - top - (to - from) * rowHeight);
    setSpace(topSpace, top);
    setSpace(bottomSpace, bottom);

    var d = 0, h = 0, at = topSpace.nextSibling;
    for (var i = from; i < to; i++) {
      var item = view[i], tr;
      if (item >= 0) {
        if (d === dataRows.length)
          dataRows.push(newDataRow());
        tr = dataRows[d++];
        if (tr.item !== item)
          fillRow(tr, item);
      } else {
        if (h === dirRows.length)
          dirRows.push(newDirRow());
        tr = dirRows[h++];
        if (tr.item !== item)
          fillDirRow(tr, item);
      }
      if (tr !== at)
        tbody.insertBefore(tr, at);
      else
        at = at.nextSibling;
    }
    while (at !== bottomSpace) {
      var next = at.nextSibling;
      tbody.removeChild(at);
      at = next;
    }
    if (d && rowHeight === 20 && !measured) {
      measured = true;
      measure();
    }
  }
  var measured = false;

  function setSpace(tr, height) {
    tr.style.display = height > 0 ? "" : "none";
    tr.firstChild.style.height = height + "px";
  }

  // ---- The view: search, sort, folders ------------------------------------------------------

  function rebuildView() {
    var size = n + folders.length;
    if (view.length < size)
      view = new Int32Array(Math.max(size, view.length * 2));
    var k = 0, last = -1, perFolder = cfg.folders;
    var sorted = order ? orderLength : 0;
    for (var i = 0; i < n; i++) {
      var row = i < sorted ? order[i] : i;
      if (match !== null && !match[row])
        continue;
      if (perFolder) {
        var f = folderOf[row];
        if (f !== last) {
          if (cfg.captions || k > 0)
            view[k++] = -1 - f;
          last = f;
        }
      }
      view[k++] = row;
    }
    viewLength = k;
    showCount();
  }

  function showCount() {
    var shown = match === null ? n : matchCount;
    var time = match === null ? totalSecs : matchSecs, size = match === null ? totalBytes : matchBytes;
    var text = (match === null ? cfg.texts.files : cfg.texts.of)
      .replace("{0}", numbers.format(shown)).replace("{1}", numbers.format(n));
    text += " \u00b7 " + duration(time) + " \u00b7 " + sizeText(size);
    if (!ready)
      text += " \u2026";
    countOut.value = text;
  }

  function duration(seconds) {
    var days = Math.floor(seconds / 86400), rest = seconds % 86400;
    var h = Math.floor(rest / 3600), m = Math.floor(rest / 60) % 60, s = rest % 60;
    var text = h + ":" + (m < 10 ? "0" : "") + m + ":" + (s < 10 ? "0" : "") + s;
    if (days > 0)
      text = new Intl.NumberFormat(lang, { style: "unit", unit: "day", unitDisplay: "long" }).format(days) + " " + text;
    return text;
  }

  function sizeText(size) {
    var units = ["B", "kB", "MB", "GB", "TB"], u = 0;
    while (size >= 1024 && u < units.length - 1) {
      size /= 1024;
      u++;
    }
    return new Intl.NumberFormat(lang, { maximumFractionDigits: u ? 1 : 0 }).format(size) + " " + units[u];
  }

  function scrollToList() {
    var listTop = topSpace.getBoundingClientRect().top + scrollY - stickyHeight;
    if (scrollY > listTop)
      scrollTo(scrollX, listTop);
  }

  function sortBy(c) {
    if (sortColumn === c)
      sortDirection = (sortDirection + 1) % 3;
    else {
      sortColumn = c;
      sortDirection = 1;
    }
    var heads = table.tHead.rows[0].cells;
    for (var i = 0; i < heads.length; i++)
      heads[i].setAttribute("aria-sort", i === sortColumn && sortDirection ? (sortDirection === 1 ? "ascending" : "descending") : "none");
    order = sortDirection ? sortedRows(sortColumn, sortDirection) : null;
    if (!sortDirection)
      sortColumn = -1;
    rebuildView();
    if (started) {
      scrollToList();
      draw();
    }
  }

  // The rows in the order of column c, ties and empty cells in page order, empty cells last;
  // within each folder when tables are per folder.
  function sortedRows(c, direction) {
    var r = rankColumn(c), rank = r.rank, count = r.count;
    var starts = new Int32Array(count + 2);
    for (var i = 0; i < n; i++)
      starts[(direction === 1 || rank[i] === count ? rank[i] : count - 1 - rank[i]) + 1]++;
    for (i = 1; i <= count + 1; i++)
      starts[i] += starts[i - 1];
    var out = new Int32Array(n);
    for (i = 0; i < n; i++)
      out[starts[direction === 1 || rank[i] === count ? rank[i] : count - 1 - rank[i]]++] = i;
    if (cfg.folders) {
      var at = new Int32Array(folders.length + 1);
      for (var f = 0; f < folders.length; f++)
        at[f + 1] = at[f] + folders[f].count;
      var grouped = new Int32Array(n);
      for (i = 0; i < n; i++)
        grouped[at[folderOf[out[i]]]++] = out[i];
      out = grouped;
    }
    orderLength = n;
    return out;
  }

  // Every row's place among the column's distinct values (equal values share it); empty cells
  // get `count`, past all of them.
  function rankColumn(c) {
    if (ranks[c] && ranks[c].n === n)
      return ranks[c];
    var kind = cfg.cols[c].sort, result;
    if (kind === "text")
      result = rankTexts(columnValues(c));
    else
      result = rankNumbers(numericKeys(c, kind));
    result.n = n;
    if (ready)
      ranks[c] = result;
    return result;
  }

  function columnValues(c) {
    var values = new Array(n), k = 0;
    for (var i = 0; i < chunks.length; i++) {
      var chunk = chunks[i], parts = chunk.split ? chunk.split[c] : chunk.texts[c].split("\0");
      for (var r = 0; r < parts.length; r++)
        values[k++] = parts[r];
    }
    return values;
  }

  function numericKeys(c, kind) {
    var keys = new Float64Array(n);
    if (kind === "bytes")
      keys.set(bytes.subarray(0, n));
    else if (kind === "secs")
      for (var i = 0; i < n; i++)
        keys[i] = secs[i] < 0 ? NaN : secs[i];
    else {
      var values = columnValues(c);
      for (i = 0; i < n; i++)
        keys[i] = parseFloat(values[i]);
    }
    return keys;
  }

  function rankNumbers(keys) {
    var present = [];
    for (var i = 0; i < n; i++)
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

  function rankTexts(values) {
    var ids = new Map(), distinct = [], id = new Int32Array(n);
    for (var i = 0; i < n; i++) {
      var v = values[i];
      if (v === "") {
        id[i] = -1;
        continue;
      }
      var k = ids.get(v);
      if (k === undefined) {
        k = distinct.length;
        ids.set(v, k);
        distinct.push(v);
      }
      id[i] = k;
    }
    var place = collate(distinct), count = place.count, rank = new Int32Array(n);
    for (i = 0; i < n; i++)
      rank[i] = id[i] < 0 ? count : place.rank[id[i]];
    return { rank: rank, count: count };
  }

  function collate(texts) {
    return tsCollate(texts, new Intl.Collator(lang, { numeric: true }));
  }

  // ---- Search -----------------------------------------------------------------------------

  function search(query) {
    var now = tsSearch.queryWords(query);
    if (!now.length) {
      match = null;
    } else {
      // A query that only grew can only lose matches: only the rows matched so far are looked at.
      var before = match !== null && tsSearch.narrows(words, now) ? match : null;
      words = now;
      if (match === null || match.length < bytes.length)
        match = new Uint8Array(bytes.length);
      matchCount = matchBytes = matchSecs = 0;
      for (var i = 0; i < chunks.length; i++)
        matchChunk(chunks[i], before);
    }
    if (!now.length)
      words = now;
    if (started) {
      rebuildView();
      scrollToList();
      draw();
    }
  }

  function matchChunk(chunk, before) {
    if (match.length < bytes.length) {
      var larger = new Uint8Array(bytes.length);
      larger.set(match);
      match = larger;
    }
    matchCount += tsSearch.matchChunk(chunk, ncols, folders, folderOf, words, before, match);
    for (var r = chunk.first; r < chunk.first + chunk.count; r++) {
      if (match[r]) {
        matchBytes += bytes[r];
        if (secs[r] > 0)
          matchSecs += secs[r];
      }
    }
  }

  // The searchable texts are made while the page waits for its reader, a chunk at a time.
  function foldWhenIdle(from) {
    var next = function (deadline) {
      var i = from;
      while (i < chunks.length && (deadline.timeRemaining() > 2 || deadline.didTimeout))
        tsSearch.foldChunk(chunks[i++], ncols);
      if (i < chunks.length)
        foldWhenIdle(i);
    };
    if (window.requestIdleCallback)
      requestIdleCallback(next, { timeout: 2000 });
    else
      setTimeout(function () { next({ timeRemaining: function () { return 8; }, didTimeout: false }); }, 20);
  }

  // ---- Printing: the first rows of the list as it stands, as plain rows ----------------------

  var printing = false, PrintRows = 1000;

  function printRows() {
    if (!topSpace)
      return;
    printing = true;
    setSpace(topSpace, 0);
    setSpace(bottomSpace, 0);
    while (topSpace.nextSibling !== bottomSpace)
      tbody.removeChild(topSpace.nextSibling);
    var shown = 0;
    for (var i = 0; i < viewLength && shown < PrintRows; i++) {
      var item = view[i], tr;
      if (item >= 0) {
        tr = newDataRow();
        fillRow(tr, item);
        shown++;
      } else {
        tr = newDirRow();
        fillDirRow(tr, item);
      }
      tbody.insertBefore(tr, bottomSpace);
    }
    var rows = match === null ? n : matchCount;
    printNote.textContent = rows > shown ? cfg.texts.printed.replace("{0}", numbers.format(shown)).replace("{1}", numbers.format(rows)) : "";
    for (i = 0; i < dataRows.length; i++)
      dataRows[i].item = -1;
    for (i = 0; i < dirRows.length; i++)
      dirRows[i].item = 0;
  }

  function afterPrint() {
    printing = false;
    printNote.textContent = "";
    while (topSpace.nextSibling !== bottomSpace)
      tbody.removeChild(topSpace.nextSibling);
    redraw();
  }

  return { start: start, add: add, end: end, fold: tsSearch.fold };
})();
