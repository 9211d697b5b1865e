// The order of texts' keys, rows of numbers, for tsCollate: sorted by radix.
"use strict";
var tsRadix = (function () {
  var InsertionRange = 32;

  // Most significant elements first: each range of texts equal so far is ordered by its next
  // few elements, packed with the text's number into one float and sorted natively (reading a
  // text's elements costs a trip to memory; this makes one trip serve several of them); short
  // ranges are finished by insertion.
  function radixSort(ids, keys, ranges) {
    var el = keys.elements, off = keys.offsets, tied = keys.tied, n = ids.length, i, k;
    var base = keys.alphabet + 2; // 0: the text has ended
    var span = Math.pow(2, Math.max(1, Math.ceil(Math.log2(n + 1))));
    var per = Math.max(1, Math.floor(Math.log2(Math.pow(2, 53) / span) / Math.log2(base)));
    var packed = null; // a folder's dozen texts never need it
    var stack = ranges.slice();
    while (stack.length) {
      var depth = stack.pop(), hi = stack.pop(), lo = stack.pop();
      if (hi - lo <= InsertionRange) {
        insertionSort(ids, lo, hi, depth, el, off);
        for (i = lo + 1; i < hi; i++)
          if (equalFrom(ids[i - 1], ids[i], depth, el, off))
            tied[ids[i]] = 1;
        continue;
      }
      packed = packed || new Float64Array(n);
      for (i = lo; i < hi; i++) {
        var id = ids[i], p = off[id] + depth, end = off[id + 1], key = 0;
        for (k = 0; k < per; k++, p++)
          key = key * base + (p < end ? el[p] + 1 : 0);
        packed[i] = key * span + id;
      }
      packed.subarray(lo, hi).sort();
      var start = lo, last = Math.floor(packed[lo] / span);
      for (i = lo; i <= hi; i++) {
        var now = i < hi ? Math.floor(packed[i] / span) : -1;
        if (i < hi)
          ids[i] = packed[i] - now * span;
        if (now === last)
          continue;
        // Texts that have ended are equal and stay in their order.
        if (i - start > 1) {
          if (last % base === 0)
            markTied(ids, start, i, tied);
          else
            stack.push(start, i, depth + per);
        }
        start = i;
        last = now;
      }
    }
  }

  function markTied(ids, lo, hi, tied) {
    for (var i = lo + 1; i < hi; i++)
      tied[ids[i]] = 1;
  }

  function insertionSort(ids, lo, hi, depth, el, off) {
    for (var i = lo + 1; i < hi; i++) {
      var id = ids[i], j = i - 1;
      while (j >= lo && compareFrom(ids[j], id, depth, el, off) > 0) {
        ids[j + 1] = ids[j];
        j--;
      }
      ids[j + 1] = id;
    }
  }

  function equalFrom(a, b, depth, el, off) {
    var pa = off[a] + depth, pb = off[b] + depth, length = off[a + 1] - pa;
    if (off[b + 1] - pb !== length)
      return false;
    for (var k = 0; k < length; k++)
      if (el[pa + k] !== el[pb + k])
        return false;
    return true;
  }

  function compareFrom(a, b, depth, el, off) {
    var pa = off[a] + depth, pb = off[b] + depth, ea = off[a + 1], eb = off[b + 1];
    for (;; pa++, pb++) {
      var x = pa < ea ? el[pa] + 1 : 0, y = pb < eb ? el[pb] + 1 : 0;
      if (x !== y)
        return x - y;
      if (x === 0)
        return a - b;
    }
  }

  return radixSort;
})();
