// The chart's view: which part of the whole chart the canvas shows. Zoom and
// pan belong to the page (the core draws the whole chart; the page chooses
// what part of it to look at), so they live here and nowhere else.
//
// The view is kept as a zoom (1: the whole chart, up to 16) and a centre given
// as fractions of the whole chart's width and height, so it holds whatever the
// chart's user coordinates and whatever the canvas's size: a new window size
// keeps the zoom about the same centre.
//
//   Ctrl+wheel (a trackpad's pinch comes as that) and a two-finger pinch zoom
//   about the pointer, 1.25 a wheel notch; dragging with the middle button,
//   with the left button while Space is held, or with one finger once zoomed
//   in, pans. The view never leaves the whole chart.
'use strict';

function ChartView(canvas, changed) {
  const MOST = 16;
  const NOTCH = 1.25;
  let zoom = 1;
  let u = 0.5, v = 0.5; // the centre, fractions of the whole chart across and down

  // The centre kept where the view stays inside the whole chart.
  function clamp() {
    zoom = Math.min(MOST, Math.max(1, zoom));
    const half = 0.5 / zoom;
    u = Math.min(1 - half, Math.max(half, u));
    v = Math.min(1 - half, Math.max(half, v));
  }

  // The view rectangle [left, top, right, bottom] in user coordinates for a
  // whole chart of those corners.
  function rect(whole) {
    const [left, top, right, bottom] = whole;
    const w = right - left, h = bottom - top;
    const half = 0.5 / zoom;
    return [left + (u - half) * w, top + (v - half) * h,
            left + (u + half) * w, top + (v + half) * h];
  }

  // The pointer as fractions of the canvas's shown box.
  function fractionOf(clientX, clientY) {
    const r = canvas.getBoundingClientRect();
    return [(clientX - r.left) / r.width, (clientY - r.top) / r.height];
  }

  // Zoom by `factor` keeping the chart's point under the canvas fraction (fx, fy) there.
  function zoomAbout(factor, fx, fy) {
    const before = zoom;
    const au = u - 0.5 / before + fx / before; // the point under the pointer
    const av = v - 0.5 / before + fy / before;
    zoom = Math.min(MOST, Math.max(1, before * factor));
    u = au - fx / zoom + 0.5 / zoom;
    v = av - fy / zoom + 0.5 / zoom;
    clamp();
    changed();
  }

  // Moves the chart with the pointer by (dx, dy) CSS pixels.
  function panBy(dx, dy) {
    const r = canvas.getBoundingClientRect();
    u -= dx / (r.width * zoom);
    v -= dy / (r.height * zoom);
    clamp();
    changed();
  }

  function reset() {
    zoom = 1;
    u = v = 0.5;
    changed();
  }

  // ---- What the user does ---------------------------------------------------------------------

  canvas.addEventListener('wheel', (e) => {
    if (!e.ctrlKey) return; // a plain wheel scrolls the page
    e.preventDefault(); // not the browser's own zoom
    // Notches: 100 pixels or 3 lines a notch; a pinch gives fractions of one.
    const notches = e.deltaMode === 1 ? e.deltaY / 3 : e.deltaMode === 2 ? e.deltaY : e.deltaY / 100;
    const [fx, fy] = fractionOf(e.clientX, e.clientY);
    zoomAbout(Math.pow(NOTCH, -notches), fx, fy);
  }, { passive: false });

  // Space is the chart's while it has the focus or the pointer is over it,
  // unless a field is being typed in: it then pans, and neither scrolls the
  // page nor presses the button last clicked.
  let space = false; // Space is held: the left button pans
  let over = false; // the pointer is over the chart
  canvas.addEventListener('pointerenter', () => { over = true; });
  canvas.addEventListener('pointerleave', () => { over = false; });
  const typing = (target) => /^(INPUT|SELECT|TEXTAREA)$/.test(target.tagName);
  const takesSpace = (e) => e.key === ' ' && !typing(e.target) &&
    (e.target === canvas || e.target === document.body || over) &&
    document.getElementById('modal').hidden && document.getElementById('menu').hidden;
  document.addEventListener('keydown', (e) => {
    if (!takesSpace(e)) return;
    space = true;
    canvas.style.cursor = 'grab';
    e.preventDefault();
  });
  document.addEventListener('keyup', (e) => {
    if (e.key !== ' ' || !space) return;
    space = false;
    canvas.style.cursor = '';
    e.preventDefault();
  });
  window.addEventListener('blur', () => {
    space = false;
    canvas.style.cursor = '';
  });

  const pointers = new Map(); // the pointers down on the canvas: id -> [x, y]
  let panning = null; // the pointer that pans, its id
  let pinch = 0; // the distance between two fingers last seen

  canvas.addEventListener('pointerdown', (e) => {
    canvas.focus({ preventScroll: true });
    pointers.set(e.pointerId, [e.clientX, e.clientY]);
    const touch = e.pointerType === 'touch';
    if (touch && pointers.size === 2) {
      const [a, b] = [...pointers.values()];
      pinch = Math.hypot(a[0] - b[0], a[1] - b[1]);
      panning = null;
    } else if ((e.pointerType === 'mouse' && (e.button === 1 || (e.button === 0 && space))) ||
               (touch && pointers.size === 1 && zoom > 1)) {
      panning = e.pointerId;
      if (e.pointerType === 'mouse') canvas.style.cursor = 'grabbing';
      e.preventDefault(); // no autoscroll of the middle button
    } else {
      return;
    }
    canvas.setPointerCapture(e.pointerId);
  });

  canvas.addEventListener('pointermove', (e) => {
    const last = pointers.get(e.pointerId);
    if (!last) return;
    pointers.set(e.pointerId, [e.clientX, e.clientY]);
    if (pointers.size === 2 && e.pointerType === 'touch') {
      const [a, b] = [...pointers.values()];
      const distance = Math.hypot(a[0] - b[0], a[1] - b[1]);
      // The middle between the fingers follows them; the spread zooms about it.
      const [fx, fy] = fractionOf((a[0] + b[0]) / 2, (a[1] + b[1]) / 2);
      panBy((e.clientX - last[0]) / 2, (e.clientY - last[1]) / 2);
      if (pinch > 0 && distance > 0) zoomAbout(distance / pinch, fx, fy);
      pinch = distance;
    } else if (panning === e.pointerId) {
      panBy(e.clientX - last[0], e.clientY - last[1]);
    }
  });

  const lift = (e) => {
    pointers.delete(e.pointerId);
    if (panning === e.pointerId) {
      panning = null;
      canvas.style.cursor = space ? 'grab' : '';
    }
    if (pointers.size < 2) pinch = 0;
  };
  canvas.addEventListener('pointerup', lift);
  canvas.addEventListener('pointercancel', lift);
  // The middle button's click opens nothing (a paste on some systems).
  canvas.addEventListener('auxclick', (e) => e.preventDefault());

  return {
    rect,
    reset,
    zoomAbout,
    zoom: () => zoom,
    // Whether a drag is moving the view now.
    panning: () => panning !== null || pinch > 0,
  };
}
