// The library page's count: "1,204 of 100,000 files · 3 days 4:12:09 · 7.9 GB", the first
// number the rows that match, in the separators of the page's language.
"use strict";
var tsTotals = (function () {
  function create(lang, texts) {
    var numbers = new Intl.NumberFormat(lang);
    var days = new Intl.NumberFormat(lang, { style: "unit", unit: "day", unitDisplay: "long" });
    var tenths = new Intl.NumberFormat(lang, { maximumFractionDigits: 1 });

    function duration(seconds) {
      var rest = seconds % 86400, h = Math.floor(rest / 3600), m = Math.floor(rest / 60) % 60, s = rest % 60;
      var text = h + ":" + (m < 10 ? "0" : "") + m + ":" + (s < 10 ? "0" : "") + s;
      return seconds >= 86400 ? days.format(Math.floor(seconds / 86400)) + " " + text : text;
    }

    function size(bytes) {
      var units = ["B", "kB", "MB", "GB", "TB"], u = 0;
      while (bytes >= 1024 && u < units.length - 1) {
        bytes /= 1024;
        u++;
      }
      return (u ? tenths : numbers).format(bytes) + " " + units[u];
    }

    // `matched` rows of `all`, or all of them when `matched` is null; an ellipsis while more
    // are coming.
    function text(matched, all, seconds, bytes, complete) {
      var words = (matched === null ? texts.files : texts.of)
        .replace("{0}", numbers.format(matched === null ? all : matched)).replace("{1}", numbers.format(all));
      return words + " \u00b7 " + duration(seconds) + " \u00b7 " + size(bytes) + (complete ? "" : " \u2026");
    }

    return { text: text, number: numbers.format };
  }

  return create;
})();
