import { test } from 'node:test';
import assert from 'node:assert/strict';
import { linePlot, niceTicks, formatTick } from '../src/plot.js';

// Tags must nest and close, and every '&' must start an entity.
function assertWellFormed(svg) {
  assert.ok(svg.startsWith('<svg xmlns="http://www.w3.org/2000/svg"'));
  assert.ok(svg.endsWith('</svg>'));
  assert.doesNotMatch(svg, /&(?!(amp|lt|gt|quot|apos);)/);
  const stack = [];
  for (const [, close, name, body] of svg.matchAll(/<(\/?)([a-zA-Z]+)([^<>]*)>/g)) {
    assert.equal((body.match(/"/g) ?? []).length % 2, 0, `quotes in <${name}>`);
    if (close) assert.equal(stack.pop(), name);
    else if (!body.endsWith('/')) stack.push(name);
  }
  assert.deepEqual(stack, []);
  assert.equal(svg.replace(/<[^<>]*>/g, '').includes('>'), false);
}

const texts = (svg) => [...svg.matchAll(/<text[^>]*>([^<]*)<\/text>/g)].map((m) => m[1]);
const paths = (svg) => [...svg.matchAll(/<path[^>]* d="([^"]*)"[^>]*stroke="([^"]*)"/g)]
  .map(([, d, stroke]) => ({ d, stroke, ys: [...d.matchAll(/[ML][\d.-]+ ([\d.-]+)/g)].map((m) => +m[1]) }));

const ranges = [
  [0, 1], [0, 1e-13], [3e-14, 7.5e-14], [-5, -1], [-3, 7], [380, 720], [0, 80000],
  [0, 1.2e5], [1e15, 3.4e15], [5, 5], [0, 0], [-2e-12, -1.1e-12], [7, 3], [0.999, 1.001],
];

test('ticks cover the range in 1, 2 or 5 × 10^k steps', () => {
  for (const [a, b] of ranges) {
    const ticks = niceTicks(a, b);
    const step = ticks[1] - ticks[0];
    assert.ok(ticks.length >= 4 && ticks.length <= 9, `${a}..${b}: ${ticks}`);
    assert.ok(ticks[0] <= Math.min(a, b) + step * 1e-6, `${a}..${b} starts at ${ticks[0]}`);
    assert.ok(ticks.at(-1) >= Math.max(a, b) - step * 1e-6, `${a}..${b} ends at ${ticks.at(-1)}`);
    const mantissa = step / 10 ** Math.floor(Math.log10(step) + 1e-9);
    assert.ok([1, 2, 5].some((m) => Math.abs(mantissa - m) < 1e-6), `${a}..${b}: step ${step}`);
    for (let i = 1; i < ticks.length; i++) {
      assert.ok(Math.abs(ticks[i] - ticks[i - 1] - step) < step * 1e-6, `${a}..${b}: uneven ${ticks}`);
    }
  }
  assert.deepEqual(niceTicks(0, 10), [0, 2, 4, 6, 8, 10]);
  assert.deepEqual(niceTicks(0, 1e-13), [0, 2e-14, 4e-14, 6e-14, 8e-14, 1e-13]);
  for (const bad of [[NaN, 1], [0, Infinity], [-Infinity, 0]]) assert.deepEqual(niceTicks(...bad), []);
});

test('tick labels are short, use a point and are told apart', () => {
  const cases = [
    [0.2, 0.2, '0.2'], [1, 0.2, '1'], [-0.5, 0.5, '-0.5'], [0.30000000000000004, 0.1, '0.3'],
    [2.5, 0.5, '2.5'], [80000, 20000, '80000'], [1234.5, 0.5, '1234.5'], [-1e-17, 0.1, '0'],
    [1e-13, 2e-14, '1e-13'], [6e-14, 2e-14, '6e-14'], [1.2e-13, 2e-14, '1.2e-13'],
    [2e15, 5e14, '2e15'], [1.5e15, 5e14, '1.5e15'], [1e-3, 5e-4, '1e-3'], [NaN, 1, ''],
  ];
  for (const [value, step, expected] of cases) assert.equal(formatTick(value, step), expected);
  for (const [a, b] of ranges) {
    const ticks = niceTicks(a, b);
    const labels = ticks.map((t) => formatTick(t, ticks[1] - ticks[0]));
    assert.equal(new Set(labels).size, labels.length, `${a}..${b}: ${labels}`);
    for (const label of labels) {
      assert.match(label, /^-?\d+(\.\d+)?(e-?\d+)?$/, `${a}..${b}: ${label}`);
      assert.ok(label.length <= 8, label);
    }
  }
});

const spectrum = (first, n, f) => ({ first, values: Array.from({ length: n }, (_, i) => f(first + i)) });

test('non-finite values break the line and never reach the output', () => {
  const svg = linePlot({ series: [
    { label: 'a', colour: '#111111', points: [[0, 1], [1, 2], [2, NaN], [3, 2], [4, Infinity], [5, 1]] },
    { label: 'b', colour: '#222222', ...spectrum(0, 6, (x) => (x === 2 ? -Infinity : x)) },
  ] });
  assertWellFormed(svg);
  assert.doesNotMatch(svg, /NaN|Infinity/);
  const [a, b] = paths(svg);
  assert.equal(a.d.match(/M/g).length, 3);
  assert.equal(a.ys.length, 4);
  assert.equal(b.d.match(/M/g).length, 2);
  assert.equal(b.ys.length, 5);
  assert.doesNotMatch(a.d, /\.\d{3}/);
  // Finite but too far apart to scale: still nothing unprintable.
  const huge = linePlot({ series: [{ points: [[0, -1.7e308], [1, 0], [2, 1.7e308]] }] });
  assertWellFormed(huge);
  assert.doesNotMatch(huge, /NaN|Infinity/);
});

test('labels and colours are escaped', () => {
  const svg = linePlot({
    title: 'Förster <R0> & "κ²"', xLabel: "it's", yLabel: 'ε / M⁻¹·cm⁻¹',
    series: [{ label: 'a<b>&c', colour: 'red" onload="alert(1)', points: [[0, 0], [1, 1]] }],
  });
  assertWellFormed(svg);
  const shown = texts(svg);
  assert.ok(shown.includes('Förster &lt;R0&gt; &amp; &quot;κ²&quot;'));
  assert.ok(shown.includes('it&apos;s'));
  assert.ok(shown.includes('ε / M⁻¹·cm⁻¹'));
  assert.ok(shown.includes('a&lt;b&gt;&amp;c'));
  assert.doesNotMatch(svg, /\son\w+="|<script/i);
});

test('a right-hand series gets its own scale from zero', () => {
  const options = {
    yLabel: 'Emission', y2Label: 'ε', xLabel: 'nm', series: [
      { label: 'donor', colour: '#0000ff', ...spectrum(400, 101, (x) => 0.5 + 0.5 * Math.sin(x / 9)) },
      { label: 'acceptor', colour: '#ff0000', axis: 'right', ...spectrum(400, 101, (x) => 60000 + 20000 * Math.cos(x / 7)) },
    ],
  };
  const svg = linePlot(options);
  assertWellFormed(svg);
  const shown = texts(svg);
  for (const label of ['Emission', 'ε', 'nm', '80000', '1', '0']) assert.ok(shown.includes(label), label);
  assert.equal(shown.filter((t) => t === '0').length, 2);
  const [left, right] = paths(svg);
  // Both peaks reach the top of the plot, each on its own scale.
  assert.ok(Math.abs(Math.min(...left.ys) - Math.min(...right.ys)) < 2);
  const single = linePlot({ ...options, series: options.series.map((s) => ({ ...s, axis: 'left' })) });
  assert.ok(!texts(single).includes('ε'));
  assert.ok(Math.min(...paths(single)[0].ys) > Math.min(...paths(single)[1].ys) + 100);
});

test('negative data extend the axis below zero', () => {
  const shown = texts(linePlot({ series: [{ points: [[0, -0.3], [1, 0.7]] }] }));
  assert.ok(shown.some((t) => t.startsWith('-')));
  assert.ok(!texts(linePlot({ series: [{ points: [[0, 3], [1, 4]] }] })).some((t) => t.startsWith('-')));
});

test('an empty plot still has axes and says so', () => {
  for (const series of [[], [{ label: 'x', values: [] }], [{ label: 'y', values: [NaN, Infinity] }]]) {
    const svg = linePlot({ xLabel: 'x', yLabel: 'y', series });
    assertWellFormed(svg);
    assert.ok(texts(svg).includes('No data'));
    assert.ok(texts(svg).includes('0'));
    assert.equal(paths(svg).length, 0);
  }
  assert.ok(!texts(linePlot({ series: [{ points: [[0, 1]] }] })).includes('No data'));
});

test('x range, legend, background and font', () => {
  const series = [{ label: 'Overlap', colour: '#00aa00', dashed: true, ...spectrum(300, 501, (x) => (x - 300) / 500) }];
  const svg = linePlot({ xRange: [405, 595], series });
  assertWellFormed(svg);
  const shown = texts(svg);
  assert.ok(shown.includes('450') && shown.includes('550'));
  assert.ok(!shown.includes('400') && !shown.includes('600') && !shown.includes('300'));
  assert.ok(shown.includes('Overlap'));
  assert.match(svg, /<line[^>]*stroke="#00aa00"[^>]*stroke-dasharray/);
  assert.match(svg, /<path[^>]*fill="none"[^>]*stroke-dasharray/);
  assert.match(svg, /<rect x="0" y="0" width="640" height="400" fill="#ffffff"\/>/);
  assert.match(svg, /font-family="DejaVu Sans, Liberation Sans, Arial, sans-serif"/);
  assert.ok(!texts(linePlot({ legend: false, series })).includes('Overlap'));
  assert.equal(linePlot({ xRange: [405, 595], series }), svg);
  assert.match(linePlot({ width: 300, height: 200, series }), /viewBox="0 0 300 200"/);
});
