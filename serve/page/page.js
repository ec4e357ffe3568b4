// The page: the chromaticity diagram with the spectrum locus, a marker for
// the limit wavelength and the pass the server computes for it
// (/api/pass, the table's row), the dominant wavelength of a clicked point
// (/api/dominant), the MacAdam limit at a chosen Y (/api/limits), and the
// view's state in the address.
'use strict';

const svgNS = 'http://www.w3.org/2000/svg';
// The plot area: x from 0 to 0.8, y from 0 to 0.9, 640 units to 1.
const origin = { left: 60, bottom: 610 }, scale = 640;
const toSvg = (x, y) => [origin.left + x * scale, origin.bottom - y * scale];
const fromSvg = (sx, sy) => [(sx - origin.left) / scale, (origin.bottom - sy) / scale];

const state = { lambda: 600, Y: 50, observer: 'legacy', illuminant: 'E', compare: '', large: false };
const models = new Map();  // "observer|illuminant" -> the promise of /api/model
let model = null, compared = null, pass = null;
let asked = 0, shown = 0, inFlight = false, pending = false;
let limitsAsked = 0;
const $ = (id) => document.getElementById(id);

function el(name, attributes, parent) {
  const e = document.createElementNS(svgNS, name);
  for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
  if (parent) parent.appendChild(e);
  return e;
}

async function json(url) {
  const response = await fetch(url);
  const body = await response.json();
  if (!response.ok) throw new Error(body.error || response.statusText);
  return body;
}

function modelOf(observer, illuminant) {
  const key = observer + '|' + illuminant;
  if (!models.has(key)) {
    models.set(key, json(`/api/model?observer=${encodeURIComponent(observer)}&illuminant=${encodeURIComponent(illuminant)}`));
  }
  return models.get(key);
}

// The locus point at wavelength w, between the model's whole nanometres.
function locusAt(m, w) {
  const points = m.locus;
  w = Math.min(Math.max(w, points[0][0]), points[points.length - 1][0]);
  let lo = 0, hi = points.length - 1;
  while (hi - lo > 1) {
    const mid = (lo + hi) >> 1;
    if (points[mid][0] <= w) lo = mid; else hi = mid;
  }
  const [w0, x0, y0] = points[lo], [w1, x1, y1] = points[hi];
  const t = w1 === w0 ? 0 : (w - w0) / (w1 - w0);
  return [x0 + t * (x1 - x0), y0 + t * (y1 - y0)];
}

// The wavelength of the locus point nearest to the SVG point (sx, sy), to 0.1 nm.
function nearestWavelength(m, sx, sy) {
  let best = Infinity, bestW = state.lambda;
  const points = m.locus.map(([w, x, y]) => [w, ...toSvg(x, y)]);
  for (let i = 0; i + 1 < points.length; i++) {
    const [w0, ax, ay] = points[i], [w1, bx, by] = points[i + 1];
    const dx = bx - ax, dy = by - ay, length = dx * dx + dy * dy;
    const t = length === 0 ? 0 : Math.min(1, Math.max(0, ((sx - ax) * dx + (sy - ay) * dy) / length));
    const d = (ax + t * dx - sx) ** 2 + (ay + t * dy - sy) ** 2;
    if (d < best) { best = d; bestW = w0 + t * (w1 - w0); }
  }
  return bestW;
}

// sRGB at the greatest brightness the chromaticity's hue allows, as the
// plot fills the diagram: out of gamut moved towards white, then scaled.
function srgbOf(x, y) {
  if (!(y > 0)) return '#000000';
  const X = x / y, Z = (1 - x - y) / y;
  let rgb = [3.2406 * X - 1.5372 - 0.4986 * Z, -0.9689 * X + 1.8758 + 0.0415 * Z,
             0.0557 * X - 0.2040 + 1.0570 * Z];
  const low = Math.min(...rgb);
  if (low < 0) rgb = rgb.map((c) => c - low);
  const high = Math.max(...rgb);
  return '#' + rgb.map((c) => {
    c = high > 0 ? c / high : 0;
    c = c <= 0.0031308 ? 12.92 * c : 1.055 * Math.pow(c, 1 / 2.4) - 0.055;
    return Math.round(Math.min(1, Math.max(0, c)) * 255).toString(16).padStart(2, '0');
  }).join('');
}

function drawGrid() {
  const g = $('grid');
  g.replaceChildren();
  for (let i = 0; i <= 8; i++) {
    const [sx] = toSvg(i / 10, 0);
    el('line', { x1: sx, y1: toSvg(0, 0)[1], x2: sx, y2: toSvg(0, 0.9)[1], stroke: '#dddddd' }, g);
    el('text', { x: sx, y: origin.bottom + 18, 'text-anchor': 'middle', 'font-size': 12 }, g).textContent = (i / 10).toFixed(1);
  }
  for (let i = 0; i <= 9; i++) {
    const [, sy] = toSvg(0, i / 10);
    el('line', { x1: origin.left, y1: sy, x2: toSvg(0.8, 0)[0], y2: sy, stroke: '#dddddd' }, g);
    el('text', { x: origin.left - 8, y: sy + 4, 'text-anchor': 'end', 'font-size': 12 }, g).textContent = (i / 10).toFixed(1);
  }
  el('text', { x: toSvg(0.8, 0)[0], y: origin.bottom + 36, 'text-anchor': 'end', 'font-size': 14, 'font-style': 'italic' }, g).textContent = 'x';
  el('text', { x: origin.left - 40, y: toSvg(0, 0.9)[1] + 4, 'font-size': 14, 'font-style': 'italic' }, g).textContent = 'y';
}

const tickWavelengths = [460, 470, 480, 490, 500, 510, 520, 530, 540, 550, 560, 570, 580, 590, 600, 620, 700];

function drawLocus(m, g, dashed) {
  const d = m.locus.map(([, x, y], i) => (i ? 'L' : 'M') + toSvg(x, y).map((v) => v.toFixed(2)).join(' ')).join('') + 'Z';
  el('path', { d, fill: 'none', stroke: dashed ? '#1f5fbf' : '#000000', 'stroke-width': dashed ? 1.4 : 1.6,
               'stroke-dasharray': dashed ? '6 4' : 'none', 'data-observer': m.name }, g);
  const [wx, wy] = toSvg(...m.white);
  el('circle', { cx: wx, cy: wy, r: 3, fill: dashed ? '#1f5fbf' : '#000000' }, g);
  if (dashed) return;
  for (const w of tickWavelengths) {
    if (w < m.bounds.locus_blue_end || w > m.bounds.locus_red_end) continue;
    const [px, py] = toSvg(...locusAt(m, w));
    const [dx, dy] = [px - wx, py - wy], n = Math.hypot(dx, dy) || 1;
    el('line', { x1: px, y1: py, x2: px + 6 * dx / n, y2: py + 6 * dy / n, stroke: '#000000' }, g);
    el('text', { x: px + 20 * dx / n, y: py + 20 * dy / n + 4, 'text-anchor': 'middle', 'font-size': 11 }, g).textContent = w;
  }
}

function drawLoci() {
  const g = $('loci');
  g.replaceChildren();
  drawLocus(model, g, false);
  if (compared) drawLocus(compared, g, true);
  const legend = el('text', { x: toSvg(0.42, 0)[0], y: toSvg(0, 0.86)[1], 'font-size': 13 }, g);
  legend.textContent = model.description + (compared ? ' — dashed: ' + compared.description : '');
}

const shortNumber = (v, digits) => (v === null ? '—' : Number.isInteger(v) || digits === null ? String(v) : v.toFixed(digits));

function show(id, value, digits = null) {
  const e = $(id);
  e.dataset.value = value === null ? '' : String(value);
  e.textContent = shortNumber(value, digits);
}

function drawPass() {
  const g = $('construction');
  g.replaceChildren();
  const r = pass, middle = r.path === 'middle';
  const white = toSvg(...model.white);
  const at = (w) => toSvg(...locusAt(model, w));
  if (middle) {
    const [a, b] = [at(r.l), at(r.lc)];
    el('line', { x1: a[0], y1: a[1], x2: b[0], y2: b[1], stroke: '#333333', 'stroke-width': 1.2 }, g);
    const other = r.l === r.wavelength ? r.lc : r.l;
    el('circle', { cx: at(other)[0], cy: at(other)[1], r: 6, fill: '#ffffff', stroke: '#333333', 'stroke-width': 2, id: 'compensative-marker' }, g);
  }
  // The hue-equal wavelengths: from the spectral l1 through the white.
  for (const [which, l1] of [['first', r.first_l1], ['second', r.second_l1]]) {
    if (l1 === null || !(l1 > 0)) continue;
    const p = at(l1);
    el('line', { x1: p[0], y1: p[1], x2: white[0], y2: white[1], stroke: '#777777', 'stroke-dasharray': '3 3' }, g);
    el('rect', { x: p[0] - 4, y: p[1] - 4, width: 8, height: 8, fill: '#777777', 'data-hue-equal': which }, g);
  }
  for (const which of ['first', 'second']) {
    const [x, y] = [r[which + '_x'], r[which + '_y']];
    if (x === null || y === null) continue;
    const [px, py] = toSvg(x, y);
    el('circle', { cx: px, cy: py, r: 10, fill: srgbOf(x, y), stroke: '#000000', 'stroke-width': 1.5, id: which + '-colour' }, g);
    el('text', { x: px + 13, y: py + 4, 'font-size': 13, 'font-weight': 'bold' }, g).textContent = which === 'first' ? '1' : '2';
  }
}

// The MacAdam limit at the chosen Y: the chromaticities of the brightest
// surface colours of that luminance factor, one a degree of hue around the
// white point, as a closed line. The built-in tables have no colour-matching
// functions, hence no optimal-colour solid: the control is hidden for them.
const hasSolid = () => state.observer !== 'legacy';

async function requestLimit() {
  const g = $('limit');
  const solid = hasSolid();
  $('limit-controls').hidden = !solid;
  $('limit-note').hidden = solid;
  const number = ++limitsAsked;  // an answer for an older view is dropped
  if (!solid) { g.replaceChildren(); return; }
  const q = new URLSearchParams({ Y: state.Y, observer: state.observer, illuminant: state.illuminant });
  try {
    const rows = await json('/api/limits?' + q.toString());
    if (number !== limitsAsked) return;  // a newer Y is on its way
    g.replaceChildren();
    const points = rows.map((r) => toSvg(r.x, r.y).map((v) => v.toFixed(2)).join(',')).join(' ');
    el('polygon', { id: 'macadam-limit', points, fill: 'none', stroke: '#8a2be2', 'stroke-width': 1.5,
                    'data-y': state.Y }, g);
  } catch (e) {
    $('status').textContent = String(e.message || e);
  }
}

function setY(value) {
  if (!Number.isFinite(value)) return;
  value = Math.round(Math.min(Math.max(value, 0.1), 99.9) * 10) / 10;
  state.Y = value;
  $('Y-slider').value = value;
  if (document.activeElement !== $('Y-input')) $('Y-input').value = value;
  writeAddress();
  requestLimit();
}

function showPass() {
  const r = pass, middle = r.path === 'middle';
  show('wavelength', r.wavelength);
  show('l', r.l);
  show('lc', r.lc);
  show('compensative', middle ? (r.l === r.wavelength ? r.lc : r.l) : null);
  $('compensative-unit').textContent = middle ? 'nm' : 'none: the entry lies in the green range';
  $('first-name').innerHTML = middle ? '1: band-pass, middle pigment <span class="de" lang="de">Mittelpigment</span>'
                                     : '1: short-end pigment <span class="de" lang="de">Kurzendpigment</span>';
  $('second-name').innerHTML = middle ? '2: band-stop, middle-gap pigment <span class="de" lang="de">Mittelfehlpigment</span>'
                                      : '2: long-end pigment <span class="de" lang="de">Langendpigment</span>';
  for (const which of ['first', 'second']) {
    for (const c of ['X', 'Y', 'Z']) show(`${which}_${c}`, r[`${which}_${c}`], 4);
    show(`${which}_x`, r[`${which}_x`], 5);
    show(`${which}_y`, r[`${which}_y`], 5);
    show(`${which}_moment`, r[`${which}_moment`], 2);
    show(`${which}_l1`, r[`${which}_l1`]);
    show(`${which}_l2`, r[`${which}_l2`]);
    $(`${which}-swatch`).style.backgroundColor = srgbOf(r[`${which}_x`], r[`${which}_y`]);
  }
  const note = $('green-note');
  note.hidden = middle;
  if (!middle) {
    const b = model.bounds;
    note.textContent = `${r.wavelength} nm lies in the green range (${b.green_lo} to ${b.green_hi} nm): ` +
      'the colour opposite it across the white point is a purple, not a colour of the spectrum, so ' +
      'the entry has no compensative wavelength. The pass shows instead the two optimal colours ' +
      'that the entry bounds on its own: the short-end pigment (Kurzendpigment), which reflects from ' +
      'the short end of the spectrum up to the entry, and the long-end pigment (Langendpigment), ' +
      'which reflects from the entry to the long end; each has its hue-equal wavelengths.';
  }
}

function placeMarker() {
  const [x, y] = toSvg(...locusAt(model, state.lambda));
  const marker = $('marker');
  marker.setAttribute('cx', x);
  marker.setAttribute('cy', y);
  marker.setAttribute('aria-valuenow', state.lambda);
  marker.setAttribute('aria-valuetext', state.lambda + ' nm');
  marker.setAttribute('aria-valuemin', model.bounds.data_lo);
  marker.setAttribute('aria-valuemax', model.bounds.data_hi);
}

function writeAddress() {
  const q = new URLSearchParams({ lambda: state.lambda, observer: state.observer, illuminant: state.illuminant });
  if (state.compare) q.set('compare', state.compare);
  if (hasSolid()) q.set('Y', state.Y);
  if (state.large) q.set('large', '1');
  history.replaceState(null, '', '/?' + q.toString());
  const plot = new URLSearchParams({ lambda: state.lambda, observer: [state.observer, state.compare].filter(Boolean).join(','),
                                     illuminant: state.illuminant });
  $('plot-link').href = '/api/diagram.svg?' + plot.toString();
}

function passUrl(format) {
  const q = new URLSearchParams({ lambda: state.lambda, observer: state.observer, illuminant: state.illuminant });
  if (format) q.set('format', format);
  return '/api/pass?' + q.toString();
}

// One request at a time; the newest wavelength is asked for when it returns,
// so a fast drag never queues stale requests.
async function requestPass() {
  if (inFlight) { pending = true; return; }
  inFlight = true;
  const number = ++asked;
  try {
    const rows = await json(passUrl());
    if (number > shown) {
      shown = number;
      pass = rows[0];
      drawPass();
      showPass();
      $('status').textContent = '';
      document.dispatchEvent(new CustomEvent('vollfarbe-pass', { detail: pass.wavelength }));
    }
  } catch (e) {
    $('status').textContent = String(e.message || e);
  } finally {
    inFlight = false;
    if (pending) { pending = false; requestPass(); }
  }
}

function setLambda(value) {
  if (!Number.isFinite(value) || !model) return;
  const b = model.bounds;
  value = Math.round(Math.min(Math.max(value, b.data_lo), b.data_hi) * 10) / 10;
  state.lambda = value;
  $('lambda-slider').value = value;
  if (document.activeElement !== $('lambda-input')) $('lambda-input').value = value;
  placeMarker();
  writeAddress();
  requestPass();
}

async function loadModels() {
  try {
    model = await modelOf(state.observer, state.illuminant);
    const compareIlluminant = state.compare === 'legacy' ? 'E' : state.illuminant;
    compared = state.compare && state.compare !== state.observer ? await modelOf(state.compare, compareIlluminant) : null;
  } catch (e) {
    $('status').textContent = String(e.message || e);
    return;
  }
  for (const id of ['lambda-slider', 'lambda-input']) {
    $(id).min = model.bounds.data_lo;
    $(id).max = model.bounds.data_hi;
  }
  drawLoci();
  $('click-mark').replaceChildren();
  setLambda(state.lambda);
  setY(state.Y);
}

async function clickAt(sx, sy) {
  const [x, y] = fromSvg(sx, sy);
  const g = $('click-mark');
  g.replaceChildren();
  el('path', { d: `M${sx - 7} ${sy}h14M${sx} ${sy - 7}v14`, stroke: '#c00000', 'stroke-width': 2 }, g);
  const q = new URLSearchParams({ x, y, observer: state.observer, illuminant: state.illuminant });
  try {
    const [row] = await json('/api/dominant?' + q.toString());
    show('click_x', row.x, 4);
    show('click_y', row.y, 4);
    for (const k of ['dominant', 'complementary']) show(k, row[k]);
    for (const k of ['excitation_purity', 'colorimetric_purity']) show(k, row[k], 4);
    $('dominant-term').textContent = model.purities ? 'dominant wavelength' : 'hue-equal wavelength l1';
    $('complementary-term').textContent = model.purities ? 'complementary wavelength' : 'hue-equal wavelength l2';
    $('status').textContent = '';
  } catch (e) {
    $('status').textContent = String(e.message || e);
  }
}

function svgPoint(event) {
  const p = new DOMPoint(event.clientX, event.clientY).matrixTransform($('diagram').getScreenCTM().inverse());
  return [p.x, p.y];
}

function wireDiagram() {
  const svg = $('diagram'), marker = $('marker');
  let dragging = false;
  marker.addEventListener('pointerdown', (e) => {
    dragging = true;
    marker.focus();
    svg.setPointerCapture(e.pointerId);
    e.preventDefault();
    e.stopPropagation();
  });
  svg.addEventListener('pointermove', (e) => {
    if (dragging && model) setLambda(nearestWavelength(model, ...svgPoint(e)));
  });
  const end = () => { dragging = false; };
  svg.addEventListener('pointerup', end);
  svg.addEventListener('pointercancel', end);
  svg.addEventListener('pointerdown', (e) => {
    if (e.target !== marker && model) clickAt(...svgPoint(e));
  });
  marker.addEventListener('keydown', (e) => {
    const step = e.shiftKey ? 1 : 0.1;
    const by = { ArrowRight: step, ArrowUp: step, ArrowLeft: -step, ArrowDown: -step }[e.key];
    if (by === undefined) return;
    e.preventDefault();
    setLambda(Math.round((state.lambda + by) * 10) / 10);
  });
}

function download(blob, name) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

function viewSvg() {
  const copy = $('diagram').cloneNode(true);
  copy.setAttribute('width', 580);
  copy.setAttribute('height', 660);
  copy.removeAttribute('id');
  copy.insertBefore(el('rect', { x: 0, y: 0, width: 580, height: 660, fill: '#ffffff' }), copy.firstChild);
  for (const t of copy.querySelectorAll('text')) t.setAttribute('font-family', 'DejaVu Sans, sans-serif');
  return new XMLSerializer().serializeToString(copy);
}

const fileName = (ext) => `vollfarbe-${state.lambda}-${state.observer}-${state.illuminant}.${ext}`;

function wireExports() {
  $('export-svg').addEventListener('click', () => download(new Blob([viewSvg()], { type: 'image/svg+xml' }), fileName('svg')));
  $('export-png').addEventListener('click', () => {
    const image = new Image();
    image.onload = () => {
      const canvas = document.createElement('canvas');
      canvas.width = 1160;
      canvas.height = 1320;
      canvas.getContext('2d').drawImage(image, 0, 0, 1160, 1320);
      canvas.toBlob((blob) => download(blob, fileName('png')), 'image/png');
      URL.revokeObjectURL(image.src);
    };
    image.src = URL.createObjectURL(new Blob([viewSvg()], { type: 'image/svg+xml' }));
  });
  $('export-csv').addEventListener('click', async () => {
    const response = await fetch(passUrl('csv'));
    download(await response.blob(), fileName('csv'));
  });
}

function readAddress() {
  const q = new URLSearchParams(location.search);
  const lambda = Number(q.get('lambda'));
  if (q.has('lambda') && Number.isFinite(lambda)) state.lambda = lambda;
  const Y = Number(q.get('Y'));
  if (q.has('Y') && Number.isFinite(Y)) state.Y = Y;
  for (const k of ['observer', 'illuminant', 'compare']) if (q.has(k)) state[k] = q.get(k);
  state.large = q.get('large') === '1';
}

function fillMenus(catalogue) {
  const names = catalogue.observers.map((o) => o.name);
  if (!names.includes(state.observer)) state.observer = 'legacy';
  if (!catalogue.illuminants.includes(state.illuminant)) state.illuminant = catalogue.default_illuminant;
  if (state.observer === 'legacy') state.illuminant = 'E';
  if (!names.includes(state.compare)) state.compare = '';
  for (const o of catalogue.observers) {
    $('observer').add(new Option(`${o.label} (${o.name})`, o.name));
    $('compare').add(new Option(`${o.label} (${o.name})`, o.name));
  }
  for (const i of catalogue.illuminants) $('illuminant').add(new Option(i, i));
  $('observer').value = state.observer;
  $('illuminant').value = state.illuminant;
  $('illuminant').disabled = state.observer === 'legacy';
  $('compare').value = state.compare;
}

async function start() {
  readAddress();
  document.body.classList.toggle('large', state.large);
  $('large-type').checked = state.large;
  drawGrid();
  try {
    fillMenus(await json('/api/catalogue'));
  } catch (e) {
    $('status').textContent = String(e.message || e);
    return;
  }
  $('observer').addEventListener('change', () => {
    state.observer = $('observer').value;
    if (state.observer === 'legacy') state.illuminant = 'E';
    $('illuminant').value = state.illuminant;
    $('illuminant').disabled = state.observer === 'legacy';
    loadModels();
  });
  $('illuminant').addEventListener('change', () => { state.illuminant = $('illuminant').value; loadModels(); });
  $('compare').addEventListener('change', () => { state.compare = $('compare').value; loadModels(); });
  $('large-type').addEventListener('change', () => {
    state.large = $('large-type').checked;
    document.body.classList.toggle('large', state.large);
    writeAddress();
  });
  $('controls').addEventListener('submit', (e) => e.preventDefault());
  $('lambda-slider').addEventListener('input', () => setLambda(Number($('lambda-slider').value)));
  $('lambda-input').addEventListener('change', () => setLambda(Number($('lambda-input').value)));
  $('Y-slider').addEventListener('input', () => setY(Number($('Y-slider').value)));
  $('Y-input').addEventListener('change', () => setY(Number($('Y-input').value)));
  wireDiagram();
  wireExports();
  await loadModels();
}

// For the tests and the benchmark: set the wavelength as a drag would.
window.vollfarbe = { setLambda, setY, state };
start();
