// Zoom, pan and hover for the report's plan and profile. The page reads the same without
// it: every drawing is static SVG, and this only moves what is already there.
(function () {
  'use strict';
  var SVG = 'http://www.w3.org/2000/svg';
  var GAP = 3;

  function all(root, selector) {
    return Array.prototype.slice.call(root.querySelectorAll(selector));
  }

  // The pointer in the drawing's own units.
  function pointIn(svg, event) {
    var r = svg.getBoundingClientRect();
    var box = svg.viewBox.baseVal;
    return {
      x: box.x + (event.clientX - r.left) * box.width / r.width,
      y: box.y + (event.clientY - r.top) * box.height / r.height
    };
  }

  function grouped(n) {
    return Math.round(n).toLocaleString('en-US');
  }

  function railwayKm(metres) {
    var whole = Math.abs(Math.round(metres));
    var part = String(whole % 1000);
    while (part.length < 3) part = '0' + part;
    return 'km ' + (metres < 0 ? '-' : '') + Math.floor(whole / 1000) + '+' + part;
  }

  function overlap(a, b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  }

  // The same placement as the page was written with: by rank, the first free candidate.
  function placeLabels(labels, bounds) {
    var order = labels.map(function (l, i) { return i; });
    order.sort(function (a, b) { return labels[a].rank - labels[b].rank || a - b; });
    var placed = [];
    var places = labels.map(function () { return null; });
    order.forEach(function (i) {
      var l = labels[i];
      if (l.skip) return;
      for (var ring = 0; ring < 3; ++ring) {
        var d = 5 + ring * (l.h + 5);
        var candidates = [[l.x + d, l.y - d - l.h], [l.x + d, l.y + d],
          [l.x - d - l.w, l.y - d - l.h], [l.x - d - l.w, l.y + d],
          [l.x - l.w / 2, l.y - d - l.h], [l.x - l.w / 2, l.y + d]];
        for (var c = 0; c < candidates.length; ++c) {
          var box = {left: candidates[c][0] - GAP / 2, top: candidates[c][1] - GAP / 2,
            right: candidates[c][0] + l.w + GAP / 2, bottom: candidates[c][1] + l.h + GAP / 2};
          var inside = candidates[c][0] >= bounds.x && candidates[c][1] >= bounds.y &&
            candidates[c][0] + l.w <= bounds.x + bounds.width &&
            candidates[c][1] + l.h <= bounds.y + bounds.height;
          if (!inside || placed.some(function (p) { return overlap(p, box); })) continue;
          placed.push(box);
          places[i] = {left: candidates[c][0], top: candidates[c][1]};
          return;
        }
      }
    });
    return places;
  }

  function show(element, shown) {
    if (shown) element.removeAttribute('visibility');
    else element.setAttribute('visibility', 'hidden');
  }

  // Wheel zooms around the pointer, dragging pans, the toolbar's buttons zoom about the
  // middle or show everything again.
  function wire(name, svg, view) {
    var bar = document.querySelector('.toolbar[data-view="' + name + '"]');
    var box = svg.viewBox.baseVal;
    var middle = function () { return {x: box.x + box.width / 2, y: box.y + box.height / 2}; };
    if (bar) {
      bar.querySelector('.zoom-in').addEventListener('click', function () { view.zoomAt(2, middle()); });
      bar.querySelector('.zoom-out').addEventListener('click', function () { view.zoomAt(0.5, middle()); });
      bar.querySelector('.zoom-reset').addEventListener('click', function () { view.reset(); });
    }
    svg.addEventListener('wheel', function (e) {
      e.preventDefault();
      view.zoomAt(e.deltaY < 0 ? 1.25 : 0.8, pointIn(svg, e));
    }, {passive: false});
    var last = null;
    svg.addEventListener('pointerdown', function (e) {
      if (e.button !== 0) return;
      last = pointIn(svg, e);
      svg.classList.add('dragging');
      if (svg.setPointerCapture) svg.setPointerCapture(e.pointerId);
    });
    svg.addEventListener('pointermove', function (e) {
      if (last === null) return;
      var p = pointIn(svg, e);
      view.panBy(p.x - last.x, p.y - last.y);
      last = p;
    });
    var stop = function () { last = null; svg.classList.remove('dragging'); };
    svg.addEventListener('pointerup', stop);
    svg.addEventListener('pointercancel', stop);
  }

  function Plan(svg) {
    var world = svg.querySelector('.world');
    var marks = all(svg, '.marks > g').map(function (g) {
      var at = g.transform.baseVal.consolidate().matrix;
      return {element: g, x: at.e, y: at.f};
    });
    var labels = all(svg, 'text.label').map(function (t) {
      var b = t.getBBox();
      return {element: t, x: +t.getAttribute('data-x'), y: +t.getAttribute('data-y'),
        rank: +t.getAttribute('data-rank'), w: b.width, h: b.height,
        dx: b.x - +t.getAttribute('x'), dy: b.y - +t.getAttribute('y')};
    });
    var box = svg.viewBox.baseVal;
    var k = 1, tx = 0, ty = 0;

    function apply() {
      world.setAttribute('transform', 'translate(' + tx + ',' + ty + ') scale(' + k + ')');
      marks.forEach(function (m) {
        m.element.setAttribute('transform',
          'translate(' + (m.x * k + tx) + ',' + (m.y * k + ty) + ')');
      });
      var requests = labels.map(function (l) {
        var x = l.x * k + tx, y = l.y * k + ty;
        var outside = x < box.x || y < box.y || x > box.x + box.width || y > box.y + box.height;
        return {x: x, y: y, w: l.w, h: l.h, rank: l.rank, skip: outside};
      });
      placeLabels(requests, box).forEach(function (p, i) {
        var l = labels[i];
        show(l.element, p !== null);
        if (p === null) return;
        l.element.setAttribute('x', p.left - l.dx);
        l.element.setAttribute('y', p.top - l.dy);
      });
    }

    this.zoomAt = function (factor, p) {
      var next = Math.min(Math.max(k * factor, 1), 512);
      tx = p.x - (p.x - tx) * next / k;
      ty = p.y - (p.y - ty) * next / k;
      k = next;
      if (k === 1) tx = ty = 0;
      apply();
    };
    this.panBy = function (dx, dy) {
      if (k === 1) return;
      tx += dx;
      ty += dy;
      apply();
    };
    this.reset = function () {
      k = 1;
      tx = ty = 0;
      apply();
    };
    apply();
  }

  // The value of a [start, value, ...] list at a position, null past its end.
  function valueAt(pairs, end, m) {
    if (pairs.length === 0 || m < pairs[0] || m >= end) return null;
    var low = 0, high = pairs.length / 2 - 1;
    while (low < high) {
      var mid = (low + high + 1) >> 1;
      if (pairs[2 * mid] <= m) low = mid; else high = mid - 1;
    }
    return low;
  }

  function Readings(values) {
    var g = values.gradient;
    var heights = [0];
    for (var i = 2; i < g.length; i += 2) {
      heights.push(heights[heights.length - 1] + g[i - 1] * (g[i] - g[i - 2]) / 1000);
    }
    this.limit = function (m) {
      var i = valueAt(values.limit, values.limitEnd, m);
      return i === null ? '\u2013' : values.limit[2 * i + 1] + ' km/h';
    };
    this.gradient = function (m) {
      var i = valueAt(g, values.gradientEnd, m);
      return i === null ? '\u2013' : g[2 * i + 1] + ' \u2030';
    };
    this.elevation = function (m) {
      var at = Math.min(m, values.gradientEnd);
      var i = valueAt(g, Infinity, at);
      if (i === null) return '\u2013';
      return Math.round(heights[i] + g[2 * i + 1] * (at - g[2 * i]) / 1000) + ' m';
    };
    this.km = function (m) {
      var runs = values.km;
      for (var j = runs.length - 3; j >= 0; j -= 3) {
        if (runs[j] > m) continue;
        if (runs[j + 2] === 0) break;
        return railwayKm(runs[j + 1] + runs[j + 2] * (m - runs[j]));
      }
      return 'no line km';
    };
  }

  function Profile(svg, values) {
    var end = +svg.getAttribute('data-end');
    var left = +svg.getAttribute('data-left');
    var right = +svg.getAttribute('data-right');
    var zoom = svg.querySelector('.zoom');
    var axis = svg.querySelector('.axis-x');
    var axisY = +axis.querySelector('line').getAttribute('y1');
    var cursor = svg.querySelector('.cursor');
    var readout = document.getElementById('readout');
    var read = new Readings(values);
    var texts = all(svg, '.profile-texts text').map(function (t) {
      return {element: t, at: +t.getAttribute('data-at'), row: t.parentNode,
        w: t.getComputedTextLength()};
    });
    var from = 0, to = end;

    function x(m) { return left + (m - from) * (right - left) / (to - from); }

    function element(name, attributes, text) {
      var e = document.createElementNS(SVG, name);
      Object.keys(attributes).forEach(function (a) { e.setAttribute(a, attributes[a]); });
      if (text !== undefined) e.textContent = text;
      return e;
    }

    function routeKm(m) {
      var text = String(Math.floor(m / 1000));
      var rest = m % 1000;
      if (rest !== 0) text += ('.' + String(1000 + rest).slice(1)).replace(/0+$/, '');
      return text + ' km';
    }

    function drawAxis() {
      while (axis.firstChild) axis.removeChild(axis.firstChild);
      axis.appendChild(element('line', {'class': 'axis', x1: left, y1: axisY, x2: right, y2: axisY}));
      var steps = [50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000];
      var step = steps.find(function (s) { return (to - from) / s <= 10; }) || 500000;
      for (var m = Math.ceil(from / step) * step; m <= to; m += step) {
        var at = x(m);
        axis.appendChild(element('line', {'class': 'tick-mark', x1: at, y1: axisY, x2: at, y2: axisY + 5}));
        // Near the right edge a label ends at its tick rather than straddling it.
        var edge = at > right - 40 ? ' at-end' : '';
        axis.appendChild(element('text', {'class': 'km-label' + edge, x: at, y: axisY + 17}, routeKm(m)));
        var km = read.km(m);
        if (km !== 'no line km') {
          axis.appendChild(element('text', {'class': 'line-km' + edge, x: at, y: axisY + 31}, km));
        }
      }
    }

    function placeTexts() {
      var row = null, freeFrom = 0;
      texts.forEach(function (t) {
        if (t.row !== row) { row = t.row; freeFrom = left; }
        var at = x(t.at);
        var shown = at >= freeFrom && at + t.w <= right + 40 && at >= left;
        if (shown) freeFrom = at + t.w + 4;
        t.element.setAttribute('x', at);
        show(t.element, shown);
      });
    }

    function apply() {
      var k = (right - left) / (to - from);
      zoom.setAttribute('transform', 'translate(' + (left - from * k) + ',0) scale(' + k + ',1)');
      svg.setAttribute('data-from', Math.round(from));
      svg.setAttribute('data-to', Math.round(to));
      placeTexts();
      drawAxis();
    }

    function show_range(a, span) {
      span = Math.min(Math.max(span, 200), end);
      from = Math.min(Math.max(a, 0), end - span);
      to = from + span;
      apply();
    }

    this.zoomAt = function (factor, p) {
      var px = Math.min(Math.max(p.x, left), right);
      var m = from + (px - left) * (to - from) / (right - left);
      var span = (to - from) / factor;
      show_range(m - (px - left) / (right - left) * span, span);
    };
    this.panBy = function (dx) {
      show_range(from - dx * (to - from) / (right - left), to - from);
    };
    this.reset = function () { show_range(0, end); };

    svg.addEventListener('pointermove', function (e) {
      var p = pointIn(svg, e);
      if (p.x < left || p.x > right) return;
      var m = Math.round(from + (p.x - left) * (to - from) / (right - left));
      cursor.setAttribute('x1', p.x);
      cursor.setAttribute('x2', p.x);
      show(cursor, true);
      readout.textContent = [grouped(m) + ' m', read.km(m), 'limit ' + read.limit(m),
        'gradient ' + read.gradient(m), 'elevation ' + read.elevation(m),
        'cell ' + Math.floor(m / 50)].join(' \u00b7 ');
    });
    svg.addEventListener('pointerleave', function () { show(cursor, false); });
    apply();
  }

  var plan = document.getElementById('plan');
  if (plan) wire('plan', plan, new Plan(plan));
  var profile = document.getElementById('profile');
  var values = document.getElementById('profile-values');
  if (profile && values) wire('profile', profile, new Profile(profile, JSON.parse(values.textContent)));
})();
