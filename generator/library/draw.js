// The library page's rows in the document: only those in view, in row elements that are filled
// again as the page scrolls, between two spaces that stand for the rows above and below. Every
// row has the same height, so a row's place follows from its number; past the height browsers
// lay out, the list is scaled into it.
"use strict";
var tsRows = (function () {
  var MaxListHeight = 8000000;
  var DrawAhead = 3;

  // `source` tells a row's cells (cells(row) -> texts, link(row)), a folder's path (folder(f))
  // and, for the column widths, some of a column's texts (sample(c)).
  function create(cfg, table, bar, source) {
    var doc = document, ncols = cfg.cols.length, tbody = table.tBodies[0];
    var topSpace = null, bottomSpace = null, dataRows = [], dirRows = [];
    var rowHeight = 20, stickyHeight = 0, measured = false, printing = false;

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
      table.classList.add("ts-drawn");
      setWidths();
      measure();
    }

    // Column widths from the first rows, so that they stay as the page scrolls. Every header
    // shows whole; where the columns do not fit the window, the longer ones give way first, and
    // past that the table grows wider than the window.
    function setWidths() {
      var group = doc.createElement("colgroup"), least = [], wants = [], c;
      var heads = table.tHead.rows[0].cells;
      for (c = 0; c < ncols; c++) {
        var lengths = source.sample(c).map(function (t) { return t.length; }).sort(function (a, b) { return a - b; });
        var typical = lengths.length ? lengths[Math.floor(lengths.length * 0.9)] : 0;
        least.push(heads[c].textContent.length + 4);
        wants.push(Math.max(least[c], Math.min(typical + 2, 48)));
      }
      var probe = doc.createElement("span");
      probe.textContent = "0000000000";
      heads[0].appendChild(probe);
      var ch = probe.getBoundingClientRect().width / 10 || 8;
      heads[0].removeChild(probe);
      var room = table.clientWidth / ch, sum = wants.reduce(function (a, b) { return a + b; }, 0);
      var floor = least.reduce(function (a, b) { return a + b; }, 0);
      var widths = wants.map(function (w, i) {
        return sum <= room || floor >= room ? w : least[i] + (w - least[i]) * (room - floor) / (sum - floor);
      });
      var total = Math.max(Math.min(sum, room), floor);
      for (c = 0; c < ncols; c++) {
        var col = doc.createElement("col");
        col.style.width = (widths[c] * 100 / widths.reduce(function (a, b) { return a + b; }, 0)).toFixed(3) + "%";
        group.appendChild(col);
      }
      table.insertBefore(group, table.firstChild);
      table.style.minWidth = Math.ceil(total * ch) + "px";
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

    // Links are set as the element's property, never written as markup.
    function fillRow(tr, row) {
      var values = source.cells(row), link = null;
      for (var c = 0; c < ncols; c++) {
        var td = tr.cells[c], value = values[c];
        if (cfg.cols[c].link) {
          if (link === null)
            link = source.link(row);
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
      tr.firstChild.firstChild.data = cfg.captions ? source.folder(-1 - item) : "";
      tr.item = item;
    }

    // The spaces stay in the layout even when empty: the top one tells where the list starts.
    function setSpace(tr, height) {
      tr.firstChild.style.height = height + "px";
    }

    // The items (rows, or -1 - f for folder f's heading) of view[0..length) that are in view.
    function draw(view, length) {
      if (!topSpace || printing)
        return;
      var listTop = topSpace.getBoundingClientRect().top + scrollY;
      var visible = Math.max(rowHeight, innerHeight - stickyHeight);
      var total = length * rowHeight, height = Math.min(total, MaxListHeight);
      var y = Math.min(Math.max(scrollY + stickyHeight - listTop, 0), Math.max(0, height - visible));
      var pos = total > height ? y * (total - visible) / (height - visible) : y;
      var first = Math.floor(pos / rowHeight);
      var from = Math.max(0, first - DrawAhead);
      var to = Math.min(length, first + Math.ceil(visible / rowHeight) + DrawAhead);
      var top = Math.max(0, y - (pos - first * rowHeight) - (first - from) * rowHeight);
      setSpace(topSpace, top);
      setSpace(bottomSpace, Math.max(0, height - top - (to - from) * rowHeight));

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
      // The first rows drawn tell the real row height.
      if (d && !measured) {
        measured = true;
        measure();
        draw(view, length);
      }
    }

    // Above the list, where the page scrolls to show the start of a new search or sort.
    function listTop() {
      return topSpace.getBoundingClientRect().top + scrollY - stickyHeight;
    }

    // Printing: the first `most` rows as plain rows. Returns how many rows it shows.
    function print(view, length, most) {
      printing = true;
      setSpace(topSpace, 0);
      setSpace(bottomSpace, 0);
      while (topSpace.nextSibling !== bottomSpace)
        tbody.removeChild(topSpace.nextSibling);
      var shown = 0;
      for (var i = 0; i < length && shown < most; i++) {
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
      return shown;
    }

    function printed() {
      printing = false;
      while (topSpace.nextSibling !== bottomSpace)
        tbody.removeChild(topSpace.nextSibling);
      dataRows.forEach(function (tr) { tr.item = -1; });
      dirRows.forEach(function (tr) { tr.item = 0; });
    }

    return {
      takeOver: takeOver, draw: draw, measure: measure, listTop: listTop, print: print, printed: printed,
      active: function () { return topSpace !== null; }
    };
  }

  return create;
})();
