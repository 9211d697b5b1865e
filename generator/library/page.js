// The library page. The rows arrive as data, a chunk of whole folders per script element, and
// only the rows in view are in the document: every row has the same height, so a row's place
// follows from its number, and a handful of row elements are filled again as the page scrolls.
"use strict";
var ts = (function () {
  var doc = document;
  var PrintRows = 1000;

  var cfg, ncols, lang, totals, rows;
  var table, countOut, printNote;

  // The data: rows numbered in page order.
  var n = 0;
  var store, chunks; // tsChunks, and its list
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

  var updatePending = false, started = false;

  function start(config) {
    cfg = config;
    ncols = cfg.cols.length;
    lang = doc.documentElement.lang || undefined;
    totals = tsTotals(lang, cfg.texts);
    table = doc.getElementById("ts");
    store = tsChunks(ncols, cfg.nameCol);
    chunks = store.list;
    rows = tsRows(cfg, table, doc.getElementById("ts-bar"), {
      cells: store.cells,
      link: store.link,
      folder: function (f) { return folders[f].path; },
      sample: store.sample
    });
    countOut = doc.getElementById("ts-count");
    printNote = doc.getElementById("ts-print");
    var heads = table.tHead.rows[0].cells;
    for (var c = 0; c < heads.length; c++)
      heads[c].firstChild.addEventListener("click", sortBy.bind(null, c));
    var q = doc.getElementById("q");
    q.addEventListener("input", function () { search(q.value); });
    if (q.value)
      search(q.value);
    addEventListener("scroll", scheduleUpdate, { passive: true });
    addEventListener("resize", function () { rows.measure(); scheduleUpdate(); });
    addEventListener("beforeprint", printRows);
    addEventListener("afterprint", afterPrint);
    showCount();
  }

  // ---- Data -------------------------------------------------------------------------------

  function grow(size) {
    var capacity = bytes.length;
    while (capacity < size)
      capacity *= 2;
    if (capacity === bytes.length)
      return;
    var b = new Float64Array(capacity), s = new Float64Array(capacity), f = new Int32Array(capacity);
    b.set(bytes);
    s.set(secs);
    f.set(folderOf);
    bytes = b, secs = s, folderOf = f;
  }

  // One chunk, as JSON in the element before the script that calls this: its folders as
  // [path, rows, link prefix, ...] (0 for the path of a folder that goes on from the chunk
  // before, 1 for a prefix that is the path), a string per column holding the chunk's cells (see
  // tsChunks), the links' ends separated the same way ("" for the File name cell's text), sizes
  // and lengths in seconds.
  function add() {
    // The elements are done with: the text they held goes.
    var script = doc.currentScript, block = script.previousElementSibling;
    var data = JSON.parse(block.text);
    block.remove();
    script.remove();
    var segs = data[0], texts = data[1], links = data[2], sizes = data[3], seconds = data[4];
    var first = n, count = sizes.length;
    grow(n + count);
    var chunk = { first: first, count: count, texts: texts, links: links, segs: [], split: null, fold: null, offsets: null };
    var row = first;
    for (var i = 0; i < segs.length; i += 3) {
      var f = folders.length - 1;
      if (f < 0 || segs[i] !== 0) {
        folders.push({ path: segs[i], first: row, count: 0, fold: null });
        f++;
      }
      folders[f].count += segs[i + 1];
      chunk.segs.push(row, segs[i + 2] === 1 ? folders[f].path : segs[i + 2]);
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
    if (words.length && job === null) {
      matchChunk(chunk, null);
      searched = n;
    }
    appendToView(null, first, n);
    if (!started) {
      started = true;
      rows.takeOver();
      rows.draw(view, viewLength);
      performance.mark("ts-first-rows");
    } else {
      scheduleUpdate();
    }
  }

  function end() {
    ready = true;
    if (!started) {
      started = true;
      rows.takeOver();
    }
    if (sortDirection)
      order = sortedRows(sortColumn, sortDirection);
    rebuildView();
    rows.draw(view, viewLength);
    doc.documentElement.dataset.tsReady = "1";
    performance.mark("ts-ready");
    setTimeout(function () {
      for (var c = 0; c < ncols && n > 2000; c++)
        if (cfg.cols[c].sort === "text")
          return tsSort.warmUp(store.sample(c), lang), tsSearch.foldWhenIdle(chunks, ncols, 0);
      tsSearch.foldWhenIdle(chunks, ncols, 0);
    }, 0);
  }

  // The rows in view (and, while the data comes in, the count) follow once a frame.
  function scheduleUpdate() {
    if (!updatePending) {
      updatePending = true;
      requestAnimationFrame(function () {
        updatePending = false;
        showCount();
        rows.draw(view, viewLength);
      });
    }
  }

  // ---- The view: search, sort, folders ------------------------------------------------------

  function rebuildView() {
    viewLength = 0;
    lastFolder = -1;
    var sorted = order ? orderLength : 0;
    appendToView(order, 0, sorted);
    appendToView(null, sorted, n);
    showCount();
  }

  // Puts the rows from..to of `rows` (page order when null) that match into the view, each
  // folder's heading before its first row when tables are per folder.
  function appendToView(rows, from, to) {
    var size = viewLength + (to - from) * (cfg.folders ? 2 : 1);
    if (view.length < size) {
      var larger = new Int32Array(Math.max(size, view.length * 2, 1024));
      larger.set(view.subarray(0, viewLength));
      view = larger;
    }
    var k = viewLength;
    for (var i = from; i < to; i++) {
      var row = rows ? rows[i] : i;
      if (match !== null && (row >= searched || !match[row]))
        continue;
      if (cfg.folders && folderOf[row] !== lastFolder) {
        if (cfg.captions || k > 0)
          view[k++] = -1 - folderOf[row];
        lastFolder = folderOf[row];
      }
      view[k++] = row;
    }
    viewLength = k;
  }
  var lastFolder = -1;

  function showCount() {
    countOut.value = match === null ? totals.text(null, n, totalSecs, totalBytes, ready)
      : totals.text(matchCount, n, matchSecs, matchBytes, ready && job === null);
  }

  // A new search or sort starts at the top of the list.
  function showList() {
    var top = rows.listTop();
    if (scrollY > top)
      scrollTo(scrollX, top);
    rows.draw(view, viewLength);
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
      showList();
    }
  }

  // Every row's rank in column c, kept once all the data is there.
  function rankColumn(c) {
    if (ranks[c] && ranks[c].n === n)
      return ranks[c];
    var kind = cfg.cols[c].sort, result, i;
    if (kind === "text") {
      result = tsSort.rankTexts(store.scan.bind(null, c), n, lang, cfg.folders ? folderStarts() : null);
    } else {
      var keys = new Float64Array(n);
      if (kind === "bytes") {
        keys.set(bytes.subarray(0, n));
      } else if (kind === "secs") {
        for (i = 0; i < n; i++)
          keys[i] = secs[i] < 0 ? NaN : secs[i];
      } else {
        var values = store.column(c, n);
        for (i = 0; i < n; i++)
          keys[i] = parseFloat(values[i]);
      }
      result = tsSort.rankNumbers(keys);
    }
    result.n = n;
    if (ready)
      ranks[c] = result;
    return result;
  }

  function sortedRows(c, direction) {
    orderLength = n;
    return tsSort.order(rankColumn(c), direction, cfg.folders ? folderOf.subarray(0, n) : null,
                        folders.map(function (f) { return f.count; }));
  }

  function folderStarts() {
    return folders.map(function (f) { return f.first; }).concat([n]);
  }

  // ---- Search -----------------------------------------------------------------------------

  // A search goes through the chunks a slice of time at a time, so that typing never waits for
  // a long list: the rows found so far are shown, and the count says when it is complete.
  var SearchSlice = 30;
  var job = null, searched = 0; // rows below `searched` have been looked at

  function search(query) {
    var now = tsSearch.queryWords(query);
    if (!now.length) {
      match = null;
      job = null;
      words = now;
    } else {
      // A query that only grew can only lose matches: only the rows matched before are looked at.
      var before = match !== null && job === null && tsSearch.narrows(words, now) ? match : null;
      words = now;
      if (match === null || match.length < bytes.length)
        match = new Uint8Array(bytes.length);
      matchCount = matchBytes = matchSecs = 0;
      searched = 0;
      job = { before: before, next: 0 };
      searchOn(job);
    }
    if (started) {
      rebuildView();
      showList();
    }
  }

  function searchOn(current) {
    if (job !== current)
      return;
    var until = performance.now() + SearchSlice;
    while (job.next < chunks.length) {
      matchChunk(chunks[job.next++], job.before);
      if (performance.now() >= until)
        break;
    }
    searched = job.next < chunks.length ? chunks[job.next].first : n;
    if (job.next < chunks.length)
      setTimeout(searchOn, 0, current);
    else
      job = null;
    if (started) {
      rebuildView();
      rows.draw(view, viewLength);
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

  // ---- Printing: the first rows of the list as it stands, as plain rows ----------------------

  function printRows() {
    if (!rows.active())
      return;
    var shown = rows.print(view, viewLength, PrintRows), all = match === null ? n : matchCount;
    printNote.textContent = all > shown ? cfg.texts.printed.replace("{0}", totals.number(shown)).replace("{1}", totals.number(all)) : "";
  }

  function afterPrint() {
    if (!rows.active())
      return;
    printNote.textContent = "";
    rows.printed();
    rows.measure();
    rows.draw(view, viewLength);
  }

  return { start: start, add: add, end: end, fold: tsSearch.fold };
})();
