// idchart in the browser: the windows of the desktop program in HTML over the
// program's own core in WebAssembly. Every number, text, layout rectangle and
// drawing operation comes from the core (IdchartModule); this script only
// shows them, paints the scene on a canvas and passes on what the user does.
'use strict';

(function () {
  const FACE = "'SimSun', '宋体', 'Songti SC', 'STSong', 'AR PL UMing CN', 'Noto Serif CJK SC', serif";
  const STORE = 'idchart.project';
  const OPS = 16; // numbers per drawing operation (see web/api.cpp)
  const layers = 5;

  let M = null; // the module
  let faces = null; // the windows' texts
  let geometry = null; // the arrangement for this page's size
  const state = { boxes: null, hasResults: false, busy: false, shown: null };
  let view = null; // the part of the chart the canvas shows (view.js)
  const $ = (id) => document.getElementById(id);

  // ---- The core --------------------------------------------------------------------------

  function call(request) {
    const text = JSON.stringify(request);
    const size = M.lengthBytesUTF8(text) + 1;
    const at = M._malloc(size);
    M.stringToUTF8(text, at, size);
    const answer = M.UTF8ToString(M._idchart_call(at));
    M._free(at);
    return JSON.parse(answer);
  }

  // ---- Modal prompts and messages, as the desktop's message boxes ---------------------------

  function modal(build) {
    return new Promise((resolve) => {
      const cover = $('modal');
      cover.textContent = '';
      const box = document.createElement('div');
      box.className = 'box';
      cover.appendChild(box);
      cover.hidden = false;
      const done = (value) => {
        cover.hidden = true;
        cover.textContent = '';
        resolve(value);
      };
      build(box, done);
    });
  }

  function boxParts(box, title, text) {
    const head = document.createElement('div');
    head.className = 'title';
    head.textContent = title;
    box.appendChild(head);
    if (text !== undefined) {
      const body = document.createElement('div');
      body.className = 'text';
      body.textContent = text;
      box.appendChild(body);
    }
  }

  function buttonRow(box, names, done, defaultIndex) {
    const row = document.createElement('div');
    row.className = 'buttons';
    const buttons = names.map((name, k) => {
      const b = document.createElement('button');
      b.textContent = name;
      b.addEventListener('click', () => done(k));
      row.appendChild(b);
      return b;
    });
    box.appendChild(row);
    box.addEventListener('keydown', (e) => {
      if (e.key === 'Escape') {
        e.preventDefault();
        done(names.length - 1);
      }
    });
    (buttons[defaultIndex] || buttons[0]).focus();
    return buttons;
  }

  // A message with an OK button, titled with the program's name.
  function message(text) {
    return modal((box, done) => {
      boxParts(box, 'idchart', text);
      buttonRow(box, ['确定'], () => done(), 0);
    });
  }

  // A question with buttons; the last one changes nothing (Esc chooses it).
  function ask(text, names) {
    return modal((box, done) => {
      boxParts(box, 'idchart', text);
      buttonRow(box, names, done, 0);
    });
  }

  // An input prompt: the field's text, or "" for 取消, as the desktop's InputBox.
  function prompt(text, title, defaultText) {
    return modal((box, done) => {
      boxParts(box, title, text);
      const field = document.createElement('input');
      field.value = defaultText;
      box.appendChild(field);
      const buttons = buttonRow(box, ['确定', '取消'], (k) => done(k === 0 ? field.value : ''), 0);
      field.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') {
          e.preventDefault();
          buttons[0].click();
        }
      });
      field.focus();
      field.select();
    });
  }

  // ---- The main window ---------------------------------------------------------------------

  const controls = { results: [], states: [], values: [], buttons: [] };

  function place(element, rect) {
    element.style.left = rect[0] + 'px';
    element.style.top = rect[1] + 'px';
    element.style.width = rect[2] + 'px';
    element.style.height = rect[3] + 'px';
  }

  // The page's size as the screen the windows are arranged for; a small
  // screen (a phone) gets the arrangement of a small desktop and scrolls.
  function screenSize() {
    return { width: Math.max(window.innerWidth, 960), height: Math.max(window.innerHeight, 640) };
  }

  function buildMain() {
    const main = $('main');
    faces.buttons.forEach((caption, k) => {
      const b = document.createElement('button');
      b.className = 'graphical';
      b.textContent = caption;
      b.dataset.button = k;
      b.addEventListener('click', () => pressed(k));
      $('buttons').appendChild(b);
      controls.buttons.push(b);
    });
    faces.readoutHeadings.forEach((caption) => {
      const heading = document.createElement('p');
      heading.className = 'heading';
      heading.textContent = caption;
      const value = document.createElement('p');
      value.className = 'value';
      $('readout').appendChild(heading);
      $('readout').appendChild(value);
      controls.values.push({ heading, value });
    });
    for (let k = 0; k < 7; ++k) {
      const box = document.createElement('input');
      box.className = 'box result';
      $('boxes').appendChild(box);
      controls.results.push(box);
    }
    for (let k = 0; k < 12; ++k) {
      const box = document.createElement('input');
      box.className = 'box state';
      $('boxes').appendChild(box);
      controls.states.push(box);
    }
    const chart = $('chart');
    chart.tabIndex = 0; // the chart takes the focus, for its own keys (Ctrl+0)
    view = ChartView(chart, repaintSoon);
    chart.addEventListener('pointermove', (e) => readout(e));
    chart.addEventListener('pointerdown', (e) => {
      if (e.pointerType !== 'mouse') readout(e);
    });
    chart.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      showMenu(e.clientX, e.clientY);
    });
    let press = null;
    chart.addEventListener('touchstart', (e) => {
      // A long press of one finger; a second finger is a pinch.
      clearTimeout(press);
      if (e.touches.length !== 1) return;
      const t = e.touches[0];
      press = setTimeout(() => showMenu(t.clientX, t.clientY), 600);
    });
    for (const end of ['touchend', 'touchmove', 'touchcancel'])
      chart.addEventListener(end, () => clearTimeout(press));
    main.hidden = false;
  }

  function arrange() {
    const screen = screenSize();
    geometry = call({ op: 'layout', width: screen.width, height: screen.height });
    const main = $('main');
    main.style.width = geometry.window[2] + 'px';
    main.style.height = geometry.window[3] + 'px';
    const chart = $('chart');
    place(chart, geometry.chart);
    geometry.results.forEach((r, k) => place(controls.results[k], r));
    geometry.states.forEach((r, k) => place(controls.states[k], r));
    geometry.buttons.forEach((r, k) => place(controls.buttons[k], r));
    geometry.readoutHeadings.forEach((r, k) => place(controls.values[k].heading, r));
    geometry.readoutValues.forEach((r, k) => place(controls.values[k].value, r));
    const ratio = window.devicePixelRatio || 1;
    chart.width = Math.round(geometry.chart[2] * ratio);
    chart.height = Math.round(geometry.chart[3] * ratio);
    call({ op: 'setPicture', width: geometry.chart[2], height: geometry.chart[3],
           lineHeights: lineHeights() });
    fitBoxes(controls.results);
    fitBoxes(controls.states);
  }

  // A printed line's height at each font size the chart prints in, pixels, as
  // this browser's face gives it: the core places texts by it.
  function lineHeights() {
    const context = document.createElement('canvas').getContext('2d');
    const heights = [];
    for (let points = 6; points <= 20; points += 0.5) {
      context.font = fontOf(points);
      const m = context.measureText('焓湿Ag');
      const h = (m.fontBoundingBoxAscent || 0) + (m.fontBoundingBoxDescent || 0);
      heights.push([points, h > 0 ? h : points * 96 / 72 * 1.25]);
    }
    return heights;
  }

  function fontOf(points, bold) {
    return (bold ? 'bold ' : '') + (points * 96 / 72) + 'px ' + FACE;
  }

  // Text widths in a font, as this browser draws them.
  const measure = document.createElement('canvas').getContext('2d');
  function widthOf(text, font) {
    measure.font = font;
    return measure.measureText(text).width;
  }
  function heightOf(font) {
    measure.font = font;
    const m = measure.measureText('焓Ag');
    return (m.fontBoundingBoxAscent || 0) + (m.fontBoundingBoxDescent || 0);
  }
  const SMALLEST_PX = 5 * 96 / 72;
  const HALF_POINT_PX = 0.5 * 96 / 72;

  // The boxes of a group take one font, as large as lets the widest of their
  // texts show whole, as the desktop's boxes do.
  function fitBoxes(boxes) {
    if (!boxes.length || !boxes[0].clientWidth) return;
    const room = boxes[0].clientWidth - 6;
    const high = boxes[0].clientHeight;
    let px = 13;
    for (; px > SMALLEST_PX; px -= HALF_POINT_PX) {
      const font = px + 'px sans-serif';
      if (boxes.every((b) => widthOf(b.value, font) <= room) && heightOf(font) <= high) break;
    }
    px = Math.max(px, SMALLEST_PX);
    for (const b of boxes) b.style.fontSize = px + 'px';
  }

  // Each dialog label runs beneath its entry; its text, the unit included,
  // shows whole left of the entry: one font for all labels, as large as lets
  // them, and the load rows' labels moved left into the free space right of
  // the air-state entries where that is not enough (as on the desktop).
  function fitDialogLabels(labels, entries) {
    const left = (element) => parseFloat(element.style.left);
    const freeFrom = left(entries[0]) + parseFloat(entries[0].style.width) + 8;
    const loadRow = (k) => k >= 7;
    const leftmost = (k) => (loadRow(k) ? Math.min(left(labels[k]), freeFrom) : left(labels[k]));
    const fontAt = (px) => px + 'px ' + FACE;
    let px = 13;
    for (; px > SMALLEST_PX; px -= HALF_POINT_PX) {
      if (labels.every((label, k) => leftmost(k) + widthOf(label.textContent.trim(), fontAt(px)) + 2
                                     <= left(entries[k]))) break;
    }
    px = Math.max(px, SMALLEST_PX);
    labels.forEach((label, k) => {
      label.style.fontSize = px + 'px';
      if (!loadRow(k)) return;
      const width = widthOf(label.textContent.trim(), fontAt(px));
      if (left(label) + width + 2 > left(entries[k]))
        label.style.left = Math.max(leftmost(k), left(entries[k]) - 2 - width) + 'px';
    });
  }

  function showBoxes(boxes, only) {
    state.boxes = boxes;
    const put = (box, text) => {
      box.value = text;
      box.scrollLeft = 0;
    };
    if (only === 'chart') {
      put(controls.states[10], boxes.states[10]);
      put(controls.states[11], boxes.states[11]);
    } else {
      boxes.results.forEach((text, k) => put(controls.results[k], text));
      boxes.states.forEach((text, k) => put(controls.states[k], text));
    }
    fitBoxes(controls.results);
    fitBoxes(controls.states);
  }

  // ---- The chart: the core's scene painted on the canvas ------------------------------------

  // The scene's drawing operations, OPS numbers each, in the module's memory.
  function sceneNumbers() {
    const at = M._idchart_scene() / 4;
    return M.HEAPF32.subarray(at, at + M._idchart_scene_size() * OPS);
  }

  function rgb(f, at) {
    return 'rgb(' + f[at] + ',' + f[at + 1] + ',' + f[at + 2] + ')';
  }

  // Paints the scene on the chart's canvas through the view, so much of each
  // layer as `shown` gives (-1: all of it).
  function paint(shown) {
    state.shown = shown || null;
    paintOn($('chart'), shown, (whole) => view.rect(whole));
  }

  // Where a text is painted on a view magnified 1 / `shrink` times: a text
  // that belongs to a point (a state's letter) keeps as many pixels from it
  // as on the whole chart.
  function textPlace(f, o, shrink) {
    const ax = f[o + 14], ay = f[o + 15];
    if (Number.isNaN(ax)) return [f[o + 2], f[o + 3]];
    return [ax + (f[o + 2] - ax) * shrink, ay + (f[o + 3] - ay) * shrink];
  }

  // Paints the scene on a canvas of the chart's pixels, showing the part of
  // the chart that `part` gives for the whole chart's corners. The view moves
  // and magnifies the drawing only: line widths, font sizes and the dots'
  // sizes stay as on the whole chart, so texts stay as readable as ever.
  function paintOn(chart, shown, part) {
    const info = call({ op: 'sceneInfo' });
    const texts = call({ op: 'sceneTexts' }).texts;
    const f = sceneNumbers();
    const count = f.length / OPS;
    const c = chart.getContext('2d');
    const ratio = chart.width / info.size[0];
    c.setTransform(ratio, 0, 0, ratio, 0, 0);
    c.fillStyle = '#ffe0c0';
    c.fillRect(0, 0, info.size[0], info.size[1]);
    const [left, top, right, bottom] = part(info.scale);
    const sx = info.size[0] / (right - left);
    const sy = info.size[1] / (bottom - top);
    const dot = info.size[0] / Math.abs(info.scale[2] - info.scale[0]); // pixels a unit, whole chart
    const X = (x) => (x - left) * sx;
    const Y = (y) => (y - top) * sy;
    const used = [0, 0, 0, 0, 0];
    let text = 0;
    let path = null; // the run of lines of one pen
    let lastX = NaN, lastY = NaN; // where its last line ended
    const flush = () => {
      if (path) {
        c.stroke();
        path = null;
        lastX = lastY = NaN;
      }
    };
    c.lineCap = 'square';
    for (let k = 0; k < count; ++k) {
      const o = k * OPS;
      const layer = f[o];
      const kind = f[o + 1];
      if (kind === 4) ++text; // the text's place in the texts' list, shown or not
      const limit = shown ? shown[layer] : -1;
      if (limit >= 0 && used[layer] >= limit) continue;
      ++used[layer];
      const width = f[o + 12];
      if (kind === 1) { // a line
        const pen = rgb(f, o + 6) + '/' + width;
        if (path !== pen) {
          flush();
          lastX = lastY = NaN;
          c.beginPath();
          c.strokeStyle = rgb(f, o + 6);
          c.lineWidth = width;
          path = pen;
        }
        // One-pixel lines on the pixels' centres, as the desktop draws them;
        // a line that starts where the last one ended continues its polyline.
        const half = width % 2 ? 0.5 : 0;
        const x1 = Math.floor(X(f[o + 2])) + half, y1 = Math.floor(Y(f[o + 3])) + half;
        const x2 = Math.floor(X(f[o + 4])) + half, y2 = Math.floor(Y(f[o + 5])) + half;
        if (x1 !== lastX || y1 !== lastY) c.moveTo(x1, y1);
        if (x2 !== x1 || y2 !== y1) c.lineTo(x2, y2);
        lastX = x2;
        lastY = y2;
        continue;
      }
      flush();
      if (kind === 2) { // a filled box
        const x1 = X(f[o + 2]), y1 = Y(f[o + 3]), x2 = X(f[o + 4]), y2 = Y(f[o + 5]);
        c.fillStyle = rgb(f, o + 6);
        c.fillRect(Math.round(Math.min(x1, x2)), Math.round(Math.min(y1, y2)),
                   Math.round(Math.abs(x2 - x1)) + 1, Math.round(Math.abs(y2 - y1)) + 1);
      } else if (kind === 3) { // a dot
        c.beginPath();
        c.arc(X(f[o + 2]), Y(f[o + 3]), Math.abs(f[o + 4]) * dot, 0, 2 * Math.PI);
        c.fillStyle = rgb(f, o + 9);
        c.fill();
        c.strokeStyle = rgb(f, o + 6);
        c.lineWidth = width;
        c.stroke();
      } else if (kind === 4) { // a text, its top-left corner at the point
        c.fillStyle = rgb(f, o + 6);
        c.font = fontOf(f[o + 13], f[o + 4] === 1);
        c.textBaseline = 'top';
        const [x, y] = textPlace(f, o, dot / sx);
        c.fillText(texts[text - 1], X(x), Y(y));
      } else if (kind === 5) { // a translucent polygon: x1 corners (kind 6) follow, x2 its opacity
        c.beginPath();
        for (let j = 1; j <= f[o + 2] && k + j < count; ++j) {
          const p = (k + j) * OPS;
          if (j === 1) c.moveTo(X(f[p + 2]), Y(f[p + 3]));
          else c.lineTo(X(f[p + 2]), Y(f[p + 3]));
        }
        c.closePath();
        c.fillStyle = 'rgba(' + f[o + 6] + ',' + f[o + 7] + ',' + f[o + 8] + ',' + f[o + 4] / 255 + ')';
        c.fill();
      }
    }
    flush();
  }

  // The picture painted again through a changed view, once a frame.
  let repaintAsked = false;
  function repaintSoon() {
    if (repaintAsked) return;
    repaintAsked = true;
    requestAnimationFrame(() => {
      repaintAsked = false;
      paint(state.shown);
    });
  }

  // The state under the pointer in the readout cells. The pointer goes
  // through the view to the chart's user coordinates, so the state read is
  // the one under it at any zoom.
  function readout(e) {
    const chart = $('chart');
    const r = chart.getBoundingClientRect();
    const [left, top, right, bottom] = view.rect(call({ op: 'sceneInfo' }).scale);
    const x = left + (e.clientX - r.left) * (right - left) / r.width;
    const y = top + (e.clientY - r.top) * (bottom - top) / r.height;
    const cells = call({ op: 'readout', x, y }).cells;
    cells.forEach((text, k) => { controls.values[k].value.textContent = text; });
  }

  // ---- The buttons --------------------------------------------------------------------------

  async function pressed(k) {
    if (state.busy) return;
    state.busy = true;
    try {
      await [generate, redraw, compute, () => openDialog('primary'), () => openDialog('secondary'),
             help, () => openDialog('winter')][k]();
    } finally {
      state.busy = false;
    }
  }

  function chartDrawn(answer) {
    if (answer.message) return message(answer.message).then(() => paint());
    showBoxes(answer.boxes, 'chart');
    paint();
  }

  // 生成焓湿图: the pressure and the precision asked, then the chart.
  async function generate() {
    let step = call({ op: 'askStart' });
    for (;;) {
      const q = step.question;
      const answer = await prompt(q.prompt, q.title, q.default);
      step = call({ op: 'askAnswer', text: answer });
      if (step.message) await message(step.message);
      if (step.done) break;
    }
    saveLocally();
    await chartDrawn(call({ op: 'drawChart' }));
  }

  async function redraw() {
    await chartDrawn(call({ op: 'redraw' }));
  }

  // 计算并描点: every moment the core gives, its picture and boxes, then its message.
  async function compute() {
    const display = call({ op: 'compute' });
    for (const moment of display.moments) {
      paint(moment.shown);
      showBoxes(moment.boxes);
      if (moment.message) await message(moment.message);
    }
    state.hasResults = state.hasResults || display.results;
    if (display.openPrimary) await openDialog('primary');
  }

  // ---- The parameter dialogs ----------------------------------------------------------------

  function showOnly(id) {
    for (const w of ['main', 'parameters', 'note']) $(w).hidden = w !== id;
    if (id !== 'main') fitDialog($(id));
  }

  // A dialog where the arrangement puts it, scaled down to fit a small page.
  function fitDialog(dialog) {
    const width = dialog.offsetWidth, height = dialog.offsetHeight;
    const scale = Math.min(1, (window.innerWidth - 8) / width, (window.innerHeight - 8) / height);
    const left = Math.max(4, Math.min(parseFloat(dialog.dataset.left || 0),
                                      window.innerWidth - width * scale - 4));
    const top = Math.max(4, Math.min(parseFloat(dialog.dataset.top || 0),
                                     window.innerHeight - height * scale - 4));
    dialog.style.left = left + 'px';
    dialog.style.top = top + 'px';
    dialog.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
  }

  function openDialog(which) {
    const table = which === 'winter' ? faces.winter : faces.summer;
    const title = which === 'winter' ? faces.winterDialog
      : which === 'secondary' ? faces.secondaryDialog : faces.primaryDialog;
    const texts = call({ op: 'openDialog', dialog: which }).texts;
    const dialog = $('parameters');
    dialog.querySelector('.caption').textContent = title;
    const client = dialog.querySelector('.client');
    client.textContent = '';
    const d = geometry.dialog;
    dialog.dataset.left = d[0];
    dialog.dataset.top = d[1];
    dialog.style.width = d[2] + 'px';
    client.style.height = (d[3] - 26) + 'px';
    const entries = [];
    const labels = table.map((row, k) => {
      const label = document.createElement('label');
      label.textContent = row.caption;
      place(label, geometry.dialogLabels[k]);
      client.appendChild(label);
      return label;
    });
    table.forEach((row, k) => {
      let entry;
      if (row.choices) {
        entry = document.createElement('select');
        for (const choice of row.choices) {
          const option = document.createElement('option');
          option.textContent = choice;
          entry.appendChild(option);
        }
      } else {
        entry = document.createElement('input');
      }
      entry.value = texts[k];
      entry.setAttribute('aria-label', row.caption);
      if (!row.choices) {
        // Marked as typed when it is not one number or lies beyond its range.
        const mark = () => {
          const fault = call({ op: 'entryFault', dialog: which, row: k + 1, text: entry.value });
          entry.classList.toggle('faulty', Boolean(fault.message));
          entry.title = fault.message || '';
        };
        entry.addEventListener('input', mark);
        mark();
      }
      place(entry, geometry.dialogBoxes[k]);
      client.appendChild(entry);
      entries.push(entry);
    });
    fitDialogLabels(labels, entries);
    const ok = document.createElement('button');
    ok.textContent = faces.dialogOk;
    place(ok, geometry.dialogOk);
    client.appendChild(ok);
    return new Promise((resolve) => {
      const finish = () => {
        showOnly('main');
        resolve();
      };
      ok.addEventListener('click', async () => {
        const answer = call({ op: 'dialogOk', dialog: which, texts: entries.map((e) => e.value) });
        if (answer.message) {
          await message(answer.message);
          const entry = entries[answer.row - 1];
          if (entry) {
            entry.focus();
            if (entry.select) entry.select();
          }
          return;
        }
        saveLocally();
        finish();
      });
      dialog.onkeydown = (e) => {
        // Esc: the close box, back to the main window with nothing stored.
        if (e.key === 'Escape') {
          e.preventDefault();
          finish();
        }
      };
      showOnly('parameters');
      entries[0].focus();
    });
  }

  function help() {
    const note = $('note');
    note.querySelector('.caption').textContent = faces.helpTitle;
    const text = note.querySelector('.help');
    if (!text.childElementCount) {
      const page = new DOMParser().parseFromString(faces.helpHtml, 'text/html');
      text.append(...page.body.childNodes);
    }
    const back = note.querySelector('.back');
    back.textContent = faces.noteBack;
    const width = Math.min(window.innerWidth - 8, Math.max(640, window.innerWidth * 0.6));
    note.style.width = width + 'px';
    text.style.height = Math.max(200, window.innerHeight * 0.8 - 80) + 'px';
    note.dataset.left = (window.innerWidth - width) / 2;
    note.dataset.top = Math.max(4, window.innerHeight * 0.02);
    text.scrollTop = 0;
    return new Promise((resolve) => {
      const finish = () => {
        showOnly('main');
        resolve();
      };
      back.onclick = finish;
      note.onkeydown = (e) => {
        if (e.key === 'Escape') finish();
      };
      showOnly('note');
      back.focus();
    });
  }

  // ---- State points ------------------------------------------------------------------------

  function markPoint() {
    return modal((box, done) => {
      boxParts(box, faces.pointDialog);
      const rows = [0, 1].map((k) => {
        const line = document.createElement('div');
        line.className = 'text';
        const label = document.createElement('span');
        label.textContent = faces.pointRows[k] + ' ';
        const choice = document.createElement('select');
        faces.pointChoices.forEach((text, n) => {
          const option = document.createElement('option');
          option.textContent = text;
          option.value = n;
          choice.appendChild(option);
        });
        choice.value = faces.pointFirstChoices[k];
        const value = document.createElement('input');
        value.style.display = 'inline-block';
        value.style.width = '8em';
        value.style.margin = '0 0 0 8px';
        value.setAttribute('aria-label', faces.pointRows[k]);
        line.append(label, choice, value);
        box.appendChild(line);
        return { choice, value };
      });
      const name = document.createElement('input');
      name.placeholder = faces.pointNameHint;
      name.setAttribute('aria-label', faces.pointName);
      box.appendChild(name);
      const buttons = buttonRow(box, ['确定', '取消'], async (k) => {
        if (k !== 0) return done(false);
        const answer = call({ op: 'addPoint', choices: rows.map((r) => Number(r.choice.value)),
                              values: rows.map((r) => r.value.value), name: name.value.trim() });
        if (answer.message) {
          const saved = $('modal').firstChild;
          await message(answer.message);
          $('modal').appendChild(saved);
          $('modal').hidden = false;
          const at = answer.correct === 2 ? rows[1].choice : rows[answer.correct].value;
          at.focus();
          return;
        }
        saveLocally();
        paint();
        done(true);
      }, 0);
      box.addEventListener('keydown', (e) => {
        if (e.key === 'Enter' && e.target.tagName === 'INPUT') {
          e.preventDefault();
          buttons[0].click();
        }
      });
      rows[0].value.focus();
    });
  }

  // ---- What leaves the page ------------------------------------------------------------------

  function download(name, blob) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
  }

  function escapeXml(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
      .replace(/"/g, '&quot;');
  }

  // The chart and the boxes over it as an SVG document, from the scene.
  // The whole chart unless `part` gives the part to show, as paintOn's does.
  // `plain`: the scene alone, without the boxes (the sheet's enlarged region).
  function chartSvg(part, plain) {
    const info = call({ op: 'sceneInfo' });
    const texts = call({ op: 'sceneTexts' }).texts;
    const f = sceneNumbers();
    const count = f.length / OPS;
    const [w, h] = info.size;
    const [left, top, right, bottom] = part ? part(info.scale) : info.scale;
    const dot = w / Math.abs(info.scale[2] - info.scale[0]);
    const X = (x) => ((x - left) * w / (right - left)).toFixed(2);
    const Y = (y) => ((y - top) * h / (bottom - top)).toFixed(2);
    const parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="' + w + '" height="' + h +
                   '" viewBox="0 0 ' + w + ' ' + h + '">',
                   '<rect width="100%" height="100%" fill="#ffe0c0"/>',
                   '<svg x="0" y="0" width="' + w + '" height="' + h + '">'];
    let text = 0;
    for (let k = 0; k < count; ++k) {
      const o = k * OPS, kind = f[o + 1];
      if (kind === 1) {
        parts.push('<line x1="' + X(f[o + 2]) + '" y1="' + Y(f[o + 3]) + '" x2="' + X(f[o + 4]) +
                   '" y2="' + Y(f[o + 5]) + '" stroke="' + rgb(f, o + 6) + '" stroke-width="' +
                   f[o + 12] + '"/>');
      } else if (kind === 2) {
        const x1 = +X(f[o + 2]), y1 = +Y(f[o + 3]), x2 = +X(f[o + 4]), y2 = +Y(f[o + 5]);
        parts.push('<rect x="' + Math.min(x1, x2) + '" y="' + Math.min(y1, y2) + '" width="' +
                   Math.abs(x2 - x1) + '" height="' + Math.abs(y2 - y1) + '" fill="' +
                   rgb(f, o + 6) + '"/>');
      } else if (kind === 3) {
        parts.push('<circle cx="' + X(f[o + 2]) + '" cy="' + Y(f[o + 3]) + '" r="' +
                   (Math.abs(f[o + 4]) * dot).toFixed(2) + '" fill="' +
                   rgb(f, o + 9) + '" stroke="' + rgb(f, o + 6) + '" stroke-width="' +
                   f[o + 12] + '"/>');
      } else if (kind === 5) {
        const corners = [];
        for (let j = 1; j <= f[o + 2] && k + j < count; ++j)
          corners.push(X(f[(k + j) * OPS + 2]) + ',' + Y(f[(k + j) * OPS + 3]));
        parts.push('<polygon points="' + corners.join(' ') + '" fill="' + rgb(f, o + 6) +
                   '" fill-opacity="' + (f[o + 4] / 255).toFixed(3) + '"/>');
      } else if (kind === 4) {
        const size = f[o + 13] * 96 / 72;
        const [tx, ty] = textPlace(f, o, dot / (w / (right - left)));
        parts.push('<text x="' + X(tx) + '" y="' + (+Y(ty) + size * 0.88).toFixed(2) +
                   '" font-family="' + escapeXml(FACE) + '" font-size="' + size +
                   (f[o + 4] === 1 ? '" font-weight="bold' : '') + '" fill="' +
                   rgb(f, o + 6) + '" xml:space="preserve">' + escapeXml(texts[text]) + '</text>');
        ++text;
      }
    }
    parts.push('</svg>');
    if (plain) {
      parts.push('</svg>');
      return parts.join('\n');
    }
    // The boxes over the chart, with their texts.
    const boxes = state.boxes || { results: [], states: [] };
    const rects = geometry.results.concat(geometry.states);
    const values = boxes.results.concat(boxes.states);
    rects.forEach((r, k) => {
      parts.push('<rect x="' + r[0] + '" y="' + r[1] + '" width="' + r[2] + '" height="' + r[3] +
                 '" fill="#fff" stroke="#7a7a7a"/>');
      if (values[k])
        parts.push('<text x="' + (r[0] + 3) + '" y="' + (r[1] + r[3] / 2 + 5) +
                   '" font-family="sans-serif" font-size="13">' + escapeXml(values[k]) + '</text>');
    });
    parts.push('</svg>');
    return parts.join('\n');
  }

  // The boxes over the chart, with their texts, on a canvas of the chart's size.
  function paintBoxes(c) {
    const boxes = state.boxes || { results: [], states: [] };
    const rects = geometry.results.concat(geometry.states);
    const values = boxes.results.concat(boxes.states);
    c.textBaseline = 'middle';
    c.font = '13px sans-serif';
    rects.forEach((r, k) => {
      c.fillStyle = '#fff';
      c.fillRect(r[0], r[1], r[2], r[3]);
      c.strokeStyle = '#7a7a7a';
      c.lineWidth = 1;
      c.strokeRect(r[0] + 0.5, r[1] + 0.5, r[2] - 1, r[3] - 1);
      if (values[k]) {
        c.save();
        c.beginPath();
        c.rect(r[0] + 1, r[1] + 1, r[2] - 2, r[3] - 2);
        c.clip();
        c.fillStyle = '#000';
        c.fillText(values[k], r[0] + 3, r[1] + r[3] / 2);
        c.restore();
      }
    });
  }

  // 保存图像… saves the whole chart whatever the view; 保存当前视图… what the
  // canvas shows now.
  async function saveImage(current) {
    const k = await ask(current ? '保存当前视图' : '保存图像', ['PNG 图像', 'SVG 矢量图', '取消']);
    const part = current ? (whole) => view.rect(whole) : (whole) => whole;
    if (k === 0) {
      // The chart with the boxes over it, as the window shows them.
      const chart = $('chart');
      const image = document.createElement('canvas');
      image.width = chart.width;
      image.height = chart.height;
      paintOn(image, state.shown, part);
      const c = image.getContext('2d');
      const ratio = chart.width / geometry.chart[2];
      c.setTransform(ratio, 0, 0, ratio, 0, 0);
      paintBoxes(c);
      image.toBlob((blob) => download('焓湿图.png', blob), 'image/png');
    } else if (k === 1) {
      download('焓湿图.svg', new Blob([chartSvg(part)], { type: 'image/svg+xml' }));
    }
  }

  async function copyResults() {
    const answer = call({ op: 'resultsTsv' });
    if (!answer.text) return message('还没有可复制的结果。');
    try {
      await navigator.clipboard.writeText(answer.text);
    } catch (e) {
      await message('浏览器不允许写入剪贴板：' + e.message);
    }
  }

  function exportResults() {
    const answer = call({ op: 'resultsCsv' });
    if (answer.text.length <= 3) return message('还没有可导出的结果。');
    download(answer.name, new Blob([answer.text], { type: 'text/csv;charset=utf-8' }));
  }

  function generateSheet() {
    const date = new Date();
    const pad = (n) => String(n).padStart(2, '0');
    // The process region enlarged, drawn by the core on a scene of its own.
    let regionSvg = '';
    if (call({ op: 'regionScene', on: true }).drawn) regionSvg = chartSvg(undefined, true);
    call({ op: 'regionScene', on: false });
    const answer = call({ op: 'sheetHtml', svg: chartSvg(), regionSvg,
                          date: date.getFullYear() + '-' + pad(date.getMonth() + 1) + '-' +
                                pad(date.getDate()) });
    if (!answer.html) return message('请先进行计算（计算并描点），再生成计算书。');
    const url = URL.createObjectURL(new Blob([answer.html], { type: 'text/html;charset=utf-8' }));
    const sheet = window.open(url, '_blank');
    if (!sheet) download('计算书.html', new Blob([answer.html], { type: 'text/html' }));
  }

  // ---- Projects: files and the page's own storage --------------------------------------------

  function saveLocally() {
    try {
      localStorage.setItem(STORE, call({ op: 'projectJson' }).text);
    } catch (e) {
      // A page without storage (a private window) keeps its work until it is closed.
    }
  }

  function saveProject() {
    download('项目.idchart', new Blob([call({ op: 'projectJson' }).text],
                                    { type: 'application/json' }));
  }

  function openProjectFile() {
    const input = $('upload');
    input.value = '';
    input.onchange = async () => {
      const file = input.files[0];
      if (!file) return;
      const answer = call({ op: 'openProject', text: await file.text() });
      if (answer.error) return message('无法打开项目文件“' + file.name + '”：' + answer.error);
      saveLocally();
      await chartDrawn(answer);
    };
    input.click();
  }

  async function newProject() {
    const answer = call({ op: 'newProject' });
    state.hasResults = false;
    showBoxes(answer.boxes);
    paint();
    saveLocally();
  }

  // ---- The chart's menu ---------------------------------------------------------------------

  // An entry: its caption, its shortcut, what it does; `chart`: its shortcut
  // only while the chart has the focus.
  const entry = (caption, shortcut, action, chart) => ({ caption, shortcut, action, chart });
  const menuEntries = [
    entry('保存图像…', 'Ctrl+S', () => saveImage(false)),
    entry('保存当前视图…', '', () => saveImage(true)),
    entry('复制结果', 'Ctrl+Shift+C', copyResults),
    entry('导出结果…', 'Ctrl+E', exportResults), entry('生成计算书…', 'Ctrl+R', generateSheet), null,
    entry('新建项目', '', newProject), entry('打开项目…', 'Ctrl+O', openProjectFile),
    entry('保存项目', 'Ctrl+Shift+S', saveProject), null,
    entry('标注状态点…', '', markPoint),
    entry('清除全部状态点', '', () => { call({ op: 'clearPoints' }); saveLocally(); paint(); }),
  ];
  const viewEntries = [entry('复位视图', 'Ctrl+0', () => view.reset(), true)];
  // 图形样式 ▸ 原图 / 斜角焓湿图 / t-d 图: the chart drawn again in the style chosen.
  function styleEntry() {
    const styles = call({ op: 'chartStyle' });
    return {
      caption: '图形样式',
      submenu: styles.options.map((option, k) => ({
        caption: styles.captions[k],
        checked: option === styles.style,
        action: () => {
          call({ op: 'chartStyle', style: option });
          view.reset();
          saveLocally();
          paint();
        },
      })),
    };
  }
  let climate = null; // the weather overlay's entries (climate.js)

  // The menu as it stands now: the overlay's entries with their checks.
  const menuNow = () => menuEntries.concat([null], climate.entries(), [null], viewEntries,
                                          [styleEntry()]);

  // Fills a menu panel with entries: a separator for null, a check mark for
  // a checked entry, an arrow for a submenu, which opens beside its entry.
  function fillMenu(panel, entries) {
    panel.textContent = '';
    for (const e of entries) {
      if (!e) {
        panel.appendChild(document.createElement('hr'));
        continue;
      }
      const item = document.createElement('div');
      item.setAttribute('role', e.checked === undefined ? 'menuitem' : 'menuitemcheckbox');
      if (e.checked !== undefined) item.setAttribute('aria-checked', String(e.checked));
      if (e.disabled) item.setAttribute('aria-disabled', 'true');
      item.tabIndex = -1;
      item.textContent = e.caption;
      if (e.submenu) {
        item.setAttribute('aria-haspopup', 'menu');
        item.submenu = e.submenu;
        item.addEventListener('click', () => openSubmenu(item));
      } else {
        item.addEventListener('click', () => {
          if (e.disabled) return;
          closeMenus();
          run(e.action);
        });
      }
      // Pointing at an entry of the menu opens its submenu or closes another's.
      if (panel === $('menu')) {
        item.addEventListener('mouseenter', () => {
          if (e.submenu) openSubmenu(item);
          else $('submenu').hidden = true;
        });
      }
      panel.appendChild(item);
    }
  }

  function placeMenu(panel, x, y, left) {
    panel.hidden = false;
    const right = x + panel.offsetWidth > window.innerWidth - 4 && left !== undefined;
    panel.style.left = Math.max(0, Math.min(right ? left - panel.offsetWidth : x,
                                            window.innerWidth - panel.offsetWidth - 4)) + 'px';
    panel.style.top = Math.max(0, Math.min(y, window.innerHeight - panel.offsetHeight - 4)) + 'px';
  }

  function showMenu(x, y) {
    const menu = $('menu');
    fillMenu(menu, menuNow());
    $('submenu').hidden = true;
    placeMenu(menu, x, y);
    menu.querySelector('div').focus();
  }

  function openSubmenu(item) {
    const sub = $('submenu');
    if (!sub.hidden && sub.owner === item) return;
    sub.owner = item;
    fillMenu(sub, item.submenu);
    const r = item.getBoundingClientRect();
    placeMenu(sub, r.right, r.top - 3, r.left);
  }

  function closeMenus() {
    $('menu').hidden = true;
    $('submenu').hidden = true;
  }

  async function run(action) {
    if (state.busy) return;
    state.busy = true;
    try {
      await action();
    } finally {
      state.busy = false;
    }
  }

  document.addEventListener('click', (e) => {
    if (!$('menu').contains(e.target) && !$('submenu').contains(e.target)) closeMenus();
  });
  document.addEventListener('keydown', (e) => {
    const menu = $('menu'), sub = $('submenu');
    if (!menu.hidden) {
      const panel = !sub.hidden && sub.contains(document.activeElement) ? sub : menu;
      const items = [...panel.querySelectorAll('div')];
      const at = items.indexOf(document.activeElement);
      const item = items[at];
      if (e.key === 'ArrowDown') items[(at + 1) % items.length].focus();
      if (e.key === 'ArrowUp') items[(at - 1 + items.length) % items.length].focus();
      if ((e.key === 'ArrowRight' || e.key === 'Enter') && item && item.submenu) {
        openSubmenu(item);
        sub.querySelector('div').focus();
      } else if (e.key === 'Enter' && item) {
        item.click();
      }
      if ((e.key === 'ArrowLeft' || e.key === 'Escape') && panel === sub) {
        sub.hidden = true;
        sub.owner.focus();
      } else if (e.key === 'Escape') {
        closeMenus();
      }
      e.preventDefault();
      return;
    }
    if (!$('modal').hidden || $('main').hidden || !(e.ctrlKey || e.metaKey)) return;
    const key = (e.shiftKey ? 'Ctrl+Shift+' : 'Ctrl+') + e.key.toUpperCase();
    // An entry of the chart's own (复位视图) only while the chart has the focus.
    const chosen = menuEntries.concat(viewEntries).find(
      (m) => m && m.shortcut === key && (!m.chart || document.activeElement === $('chart')));
    if (chosen) {
      e.preventDefault();
      run(chosen.action);
    }
  });

  // ---- Start ----------------------------------------------------------------------------------

  async function start(module) {
    M = module;
    faces = call({ op: 'faces' });
    document.title = '焓湿图';
    buildMain();
    climate = ClimateOverlay({ call, prompt, message, modal, boxParts, buttonRow, paint });
    arrange();
    const kept = (() => {
      try {
        return localStorage.getItem(STORE);
      } catch (e) {
        return null;
      }
    })();
    if (kept) {
      const answer = call({ op: 'openProject', text: kept });
      if (answer.boxes) showBoxes(answer.boxes);
    } else {
      showBoxes(call({ op: 'newProject' }).boxes);
    }
    paint();
    // A new size: the core draws the layers again for it (the process, the
    // points and the weather stay) and the picture is painted as it stood.
    window.addEventListener('resize', () => {
      arrange();
      paint(state.shown);
    });
    document.body.dataset.ready = 'true';
  }

  // The page's entry for its tests and benchmarks: the core's answers.
  window.idchart = {
    call: (request) => call(request),
    paint,
    // The view rectangle in user coordinates, and the zoom.
    view: () => view.rect(call({ op: 'sceneInfo' }).scale),
    zoom: () => view.zoom(),
    // The scene's operations as numbers (see web/api.cpp), copied.
    scene: () => Array.from(sceneNumbers()),
    ready: null,
  };
  window.idchart.ready = IdchartModule().then(start);
})();
