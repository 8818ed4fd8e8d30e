// Line plots as SVG text. The page shows the spectra with it and the same
// figures go into saved reports, so it builds a string rather than DOM nodes
// and runs as well in Node as in the browser. The output carries no script
// and no event attributes, which the page's content policy would refuse.

const FONT = 'DejaVu Sans, Liberation Sans, Arial, sans-serif';
const PALETTE = ['#1f77b4', '#d62728', '#2ca02c', '#9467bd', '#ff7f0e', '#8c564b'];
const SVG_NS = 'http://www.w3.org/2000/svg';

// Tick values 1, 2 or 5 × 10^k apart, covering [min, max] with about
// `approxCount` of them. An empty list when the range is not a finite one.
export function niceTicks(min, max, approxCount = 6) {
  return tickLayout(min, max, approxCount).ticks;
}

function tickLayout(min, max, approxCount = 6) {
  const none = { ticks: [], step: NaN };
  if (!Number.isFinite(min) || !Number.isFinite(max)) return none;
  if (min > max) [min, max] = [max, min];
  if (min === max) {
    const pad = min === 0 ? 1 : Math.abs(min) * 0.1;
    min -= pad;
    max += pad;
  }
  const span = max - min;
  const target = Math.max(2, Math.round(approxCount) || 6);
  const magnitude = 10 ** Math.floor(Math.log10(span / target));
  if (!Number.isFinite(span) || !(magnitude > 0) || !Number.isFinite(magnitude)) return none;
  let best = null;
  for (const factor of [1, 2, 5, 10]) {
    const step = Number((factor * magnitude).toPrecision(12));
    const first = Math.floor(min / step + 1e-9);
    const last = Math.ceil(max / step - 1e-9);
    const count = last - first + 1;
    // Too few ticks leave an axis hard to read, so falling short costs a
    // little more than overshooting; on a tie the wider step wins.
    const cost = count < target ? (target - count) * 1.25 : count - target;
    if (!best || cost <= best.cost) best = { step, first, count, cost };
  }
  const ticks = [];
  for (let k = 0; k < best.count && k < 1000; k++) {
    ticks.push(Number(((best.first + k) * best.step).toPrecision(12)) || 0);
  }
  return { ticks, step: best.step };
}

// The label for a tick `step` apart from its neighbours: as many decimals as
// the step needs, always with a point, and exponent form ("2e-14", "5e15")
// when the step is very small or very large.
export function formatTick(value, step) {
  if (!Number.isFinite(value)) return '';
  if (!(Number.isFinite(step) && step > 0)) step = Math.abs(value) || 1;
  if (Math.abs(value) < step * 1e-6) return '0';
  if (step < 1e-3 || step >= 1e5) return exponentForm(value, step);
  const text = trimZeros(value.toFixed(decimalsOf(step)));
  return text === '-0' ? '0' : text;
}

function decimalsOf(step) {
  for (let d = 0; d < 15; d++) {
    const scaled = step * 10 ** d;
    if (Math.abs(scaled - Math.round(scaled)) <= scaled * 1e-6) return d;
  }
  return 15;
}

function trimZeros(text) {
  return text.includes('.') ? text.replace(/\.?0+$/, '') : text;
}

function exponentForm(value, step) {
  const stepExponent = Math.floor(Math.log10(step));
  const stepDecimals = decimalsOf(step / 10 ** stepExponent);
  let exponent = Math.floor(Math.log10(Math.abs(value)));
  let mantissa = '';
  for (let attempt = 0; attempt < 3; attempt++) {
    const digits = Math.min(12, Math.max(0, exponent - stepExponent + stepDecimals));
    mantissa = (value / 10 ** exponent).toFixed(digits);
    const size = Math.abs(Number(mantissa));
    if (size >= 10) exponent += 1;
    else if (size < 1) exponent -= 1;
    else break;
  }
  return `${trimZeros(mantissa)}e${exponent}`;
}

function escapeXml(text) {
  return String(text ?? '')
    .replace(/[\u0000-\u0008\u000b\u000c\u000e-\u001f\ufffe\uffff]/g, '')
    .replace(/&/g, '&amp;')
    .replace(/</g, '&lt;')
    .replace(/>/g, '&gt;')
    .replace(/"/g, '&quot;')
    .replace(/'/g, '&apos;');
}

// Coordinates to two decimals, which is finer than any screen or print.
function num(value) {
  const rounded = Math.round(value * 100) / 100;
  return Object.is(rounded, -0) ? '0' : String(rounded);
}

function attributes(map) {
  return Object.entries(map)
    .filter(([, value]) => value !== undefined && value !== null)
    .map(([name, value]) => ` ${name}="${escapeXml(value)}"`)
    .join('');
}

function element(name, attrs, text) {
  const open = `<${name}${attributes(attrs)}`;
  return text === undefined ? `${open}/>` : `${open}>${escapeXml(text)}</${name}>`;
}

function rawPoints(series) {
  if (Array.isArray(series.points)) {
    return series.points.map((p) => (Array.isArray(p) ? [p[0], p[1]] : [NaN, NaN]));
  }
  if (Array.isArray(series.values) || ArrayBuffer.isView(series.values)) {
    const first = Number(series.first ?? 0);
    return Array.from(series.values, (v, i) => [first + i, v]);
  }
  return [];
}

// Runs of usable points; anything that is not a finite number ends a run.
function segmentsOf(points) {
  const segments = [];
  let run = [];
  for (const [x, y] of points) {
    const usable = typeof x === 'number' && typeof y === 'number' &&
      Number.isFinite(x) && Number.isFinite(y);
    if (usable) {
      run.push([x, y]);
    } else if (run.length) {
      segments.push(run);
      run = [];
    }
  }
  if (run.length) segments.push(run);
  return segments;
}

function prepareSeries(series, index) {
  const s = series ?? {};
  return {
    label: s.label == null ? '' : String(s.label),
    colour: s.colour || PALETTE[index % PALETTE.length],
    axis: s.axis === 'right' ? 'right' : 'left',
    dashed: Boolean(s.dashed),
    segments: segmentsOf(rawPoints(s)),
  };
}

function positive(value, fallback) {
  return Number.isFinite(value) && value > 0 ? value : fallback;
}

function xDomain(range, series) {
  if (Array.isArray(range) && Number.isFinite(range[0]) && Number.isFinite(range[1]) &&
      range[0] !== range[1]) {
    return [Math.min(range[0], range[1]), Math.max(range[0], range[1])];
  }
  let lo = Infinity;
  let hi = -Infinity;
  for (const s of series) for (const run of s.segments) for (const [x] of run) {
    lo = Math.min(lo, x);
    hi = Math.max(hi, x);
  }
  if (lo > hi) return [0, 1];
  if (lo < hi) return [lo, hi];
  const { ticks } = tickLayout(lo, hi);
  return ticks.length ? [ticks[0], ticks[ticks.length - 1]] : [lo - 1, hi + 1];
}

// A y scale over what is visible of its series, from 0 when nothing is
// negative, widened to whole ticks.
function yScale(series, [x0, x1]) {
  let lo = Infinity;
  let hi = -Infinity;
  for (const s of series) for (const run of s.segments) for (const [x, y] of run) {
    if (x < x0 || x > x1) continue;
    lo = Math.min(lo, y);
    hi = Math.max(hi, y);
  }
  if (lo > hi) [lo, hi] = [0, 1];
  if (lo >= 0) lo = 0;
  const { ticks, step } = tickLayout(lo, hi);
  if (!ticks.length) return { domain: [lo, hi === lo ? lo + 1 : hi], ticks, step };
  return { domain: [ticks[0], ticks[ticks.length - 1]], ticks, step };
}

function pathData(segments, sx, sy) {
  const parts = [];
  for (const run of segments) {
    let command = 'M';
    for (const [x, y] of run) {
      const px = sx(x);
      const py = sy(y);
      if (!Number.isFinite(px) || !Number.isFinite(py)) { command = 'M'; continue; }
      parts.push(`${command}${num(px)} ${num(py)}`);
      command = 'L';
    }
  }
  return parts.join('');
}

export function linePlot(options = {}) {
  const width = positive(options.width, 640);
  const height = positive(options.height, 400);
  const series = (Array.isArray(options.series) ? options.series : []).map(prepareSeries);
  const hasRight = series.some((s) => s.axis === 'right');
  const title = options.title ? String(options.title) : '';
  const top = title ? 40 : 16;
  const left = 70;
  const right = width - (hasRight ? 70 : 20);
  const bottom = height - 50;
  const plotW = Math.max(1, right - left);
  const plotH = Math.max(1, bottom - top);

  const [x0, x1] = xDomain(options.xRange, series);
  const leftScale = yScale(series.filter((s) => s.axis === 'left'), [x0, x1]);
  const rightScale = hasRight ? yScale(series.filter((s) => s.axis === 'right'), [x0, x1]) : null;
  const sx = (x) => left + ((x - x0) / (x1 - x0)) * plotW;
  const syFor = ({ domain: [y0, y1] }) => (y) => bottom - ((y - y0) / (y1 - y0)) * plotH;

  const out = [];
  const text = (attrs, content) => out.push(element('text', attrs, content));
  const line = (ax, ay, bx, by, stroke) =>
    out.push(element('line', { x1: num(ax), y1: num(ay), x2: num(bx), y2: num(by), stroke }));
  const clipId = `plot-area-${num(left)}-${num(top)}-${num(plotW)}-${num(plotH)}`;

  out.push(`<svg${attributes({ xmlns: SVG_NS, width: num(width), height: num(height),
    viewBox: `0 0 ${num(width)} ${num(height)}`, 'font-family': FONT, 'font-size': 11 })}>`);
  out.push(element('rect', { x: 0, y: 0, width: num(width), height: num(height), fill: '#ffffff' }));
  out.push(`<defs><clipPath${attributes({ id: clipId })}>${element('rect',
    { x: num(left), y: num(top), width: num(plotW), height: num(plotH) })}</clipPath></defs>`);
  if (title) {
    text({ x: num(width / 2), y: 24, 'text-anchor': 'middle', 'font-size': 15,
      'font-weight': 'bold' }, title);
  }

  // Axes: x ticks inside the shown range, a light grid from the left scale.
  const xLayout = tickLayout(x0, x1);
  const tolerance = (x1 - x0) * 1e-9;
  for (const t of xLayout.ticks) {
    if (t < x0 - tolerance || t > x1 + tolerance) continue;
    const px = sx(t);
    line(px, bottom, px, bottom + 5, '#333333');
    text({ x: num(px), y: num(bottom + 18), 'text-anchor': 'middle' }, formatTick(t, xLayout.step));
  }
  const syLeft = syFor(leftScale);
  for (const t of leftScale.ticks) {
    const py = syLeft(t);
    line(left, py, right, py, '#e6e6e6');
    line(left - 5, py, left, py, '#333333');
    text({ x: num(left - 8), y: num(py), dy: '0.35em', 'text-anchor': 'end' },
      formatTick(t, leftScale.step));
  }
  if (rightScale) {
    const syRight = syFor(rightScale);
    for (const t of rightScale.ticks) {
      const py = syRight(t);
      line(right, py, right + 5, py, '#333333');
      text({ x: num(right + 8), y: num(py), dy: '0.35em', 'text-anchor': 'start' },
        formatTick(t, rightScale.step));
    }
  }
  out.push(element('rect', { x: num(left), y: num(top), width: num(plotW), height: num(plotH),
    fill: 'none', stroke: '#333333' }));
  if (options.xLabel) {
    text({ x: num(left + plotW / 2), y: num(height - 10), 'text-anchor': 'middle',
      'font-size': 12 }, options.xLabel);
  }
  const sideLabel = (label, x) => {
    const y = num(top + plotH / 2);
    text({ x: num(x), y, transform: `rotate(-90 ${num(x)} ${y})`, 'text-anchor': 'middle',
      'font-size': 12 }, label);
  };
  if (options.yLabel) sideLabel(options.yLabel, 16);
  if (hasRight && options.y2Label) sideLabel(options.y2Label, width - 10);

  // The lines themselves, clipped to the plot area.
  const drawn = series.filter((s) => s.segments.length);
  out.push(`<g${attributes({ 'clip-path': `url(#${clipId})` })}>`);
  for (const s of drawn) {
    const d = pathData(s.segments, sx, syFor(s.axis === 'right' ? rightScale : leftScale));
    if (!d) continue;
    out.push(element('path', { d, fill: 'none', stroke: s.colour, 'stroke-width': 1.5,
      'stroke-linejoin': 'round', 'stroke-linecap': 'round',
      'stroke-dasharray': s.dashed ? '6 4' : undefined }));
  }
  out.push('</g>');
  if (!drawn.length) {
    text({ x: num(left + plotW / 2), y: num(top + plotH / 2), 'text-anchor': 'middle',
      'font-size': 14, fill: '#777777' }, 'No data');
  }

  const entries = options.legend === false ? [] : series.filter((s) => s.label);
  if (entries.length) {
    const longest = Math.max(...entries.map((s) => [...s.label].length));
    const boxW = 38 + longest * 6.6;
    const boxX = right - boxW - 8;
    const boxY = top + 8;
    out.push(element('rect', { x: num(boxX), y: num(boxY), width: num(boxW),
      height: num(entries.length * 18 + 8), fill: '#ffffff', 'fill-opacity': 0.85,
      stroke: '#999999' }));
    entries.forEach((s, i) => {
      const y = boxY + 13 + i * 18;
      out.push(element('line', { x1: num(boxX + 6), y1: num(y), x2: num(boxX + 28), y2: num(y),
        stroke: s.colour, 'stroke-width': 1.5, 'stroke-dasharray': s.dashed ? '6 4' : undefined }));
      text({ x: num(boxX + 34), y: num(y), dy: '0.35em' }, s.label);
    });
  }
  out.push('</svg>');
  return out.join('\n');
}
