// The page: the spectra, the parameter panel with its live gate, the
// results, plots, analysis, exports and the pair table, all answered by
// the engine in WebAssembly.
import { fragmentOf, requestOf, valuesFromFragment } from './request.js';
import { linePlot } from './plot.js';
import { chooseColumns } from './columns.js';
import { downloadText, downloadBlob, svgToPng, localDate } from './download.js';

const $ = (selector) => document.querySelector(selector);

const sides = ['emission', 'absorption'];

// Rows a pair table shows before it is asked for all.
const shownRows = 500;

// The text fields the link and the request take, by parameter name.
const textFields = [
  'quantum_yield', 'orientation', 'refractive_index', 'concentration', 'extinction',
  'efficiency', 'distance', 'quantum_yield_error', 'refractive_index_error', 'extinction_error',
  'target_distance',
];

export class App {
  constructor(engine) {
    this.engine = engine;
    this.files = { emission: null, absorption: null };
    this.plot = 'transfer';
    this.answer = null;
    this.pairs = { donors: [], acceptors: [], sort: 'listed', showAll: false };
    this.vocabulary = engine.call({ command: 'parameters' });
  }

  start() {
    this.#fillLists();
    this.#restore(valuesFromFragment(location.hash));
    for (const name of textFields) $(`#${name}`).addEventListener('input', () => this.changed(name));
    for (const id of ['kappa2_min', 'kappa2_max']) {
      $(`#${id}`).addEventListener('input', () => this.changed('kappa2_range'));
    }
    $('#solvent').addEventListener('change', () => this.changed('solvent'));
    $('#optical_path').addEventListener('change', () => this.changed('optical_path'));
    for (const radio of document.querySelectorAll('input[name="entry"]')) {
      radio.addEventListener('change', () => this.changed('entry'));
    }
    for (const side of sides) this.#wireSlot(side);
    for (const tab of document.querySelectorAll('[role="tab"]')) {
      tab.addEventListener('click', () => this.#showPlot(tab.dataset.plot));
    }
    $('#save-png').addEventListener('click', () => this.#savePlot('png'));
    $('#save-svg').addEventListener('click', () => this.#savePlot('svg'));
    $('#save-csv').addEventListener('click', () => this.#saveAnswer('csv'));
    $('#save-report').addEventListener('click', () => this.#saveAnswer('report'));
    $('#copy-link').addEventListener('click', () => this.#copyLink());
    this.#wirePairs();
    this.compute();
  }

  // --- The panel ------------------------------------------------------------

  #fillLists() {
    const solvent = $('#solvent');
    for (const { name, label } of this.vocabulary.solvents) solvent.add(new Option(label, name));
    solvent.add(new Option('Other', 'other'));
    const path = $('#optical_path');
    for (const label of this.vocabulary.optical_paths) path.add(new Option(label, label));
    const start = this.vocabulary.start;
    for (const name of ['quantum_yield', 'orientation', 'refractive_index', 'concentration']) {
      $(`#${name}`).value = start[name];
    }
    solvent.value = start.solvent;
    path.value = start.optical_path;
  }

  #restore(values) {
    for (const [name, value] of Object.entries(values)) {
      if (name === 'kappa2_range') {
        [$('#kappa2_min').value, $('#kappa2_max').value] = [value[0] ?? '', value[1] ?? ''];
      } else if (name === 'solvent' || name === 'optical_path') {
        const list = $(`#${name}`);
        if ([...list.options].some((o) => o.value === value)) list.value = value;
      } else if (textFields.includes(name)) {
        $(`#${name}`).value = value;
      }
    }
    if (values.refractive_index !== undefined && values.solvent === undefined) {
      $('#solvent').value = 'other';
    }
    if (values.extinction !== undefined) {
      document.querySelector('input[name="entry"][value="extinction"]').checked = true;
    }
  }

  entry() {
    return document.querySelector('input[name="entry"]:checked').value;
  }

  values() {
    const values = {};
    for (const name of textFields) values[name] = $(`#${name}`).value;
    values.kappa2_range = [$('#kappa2_min').value, $('#kappa2_max').value];
    values.solvent = $('#solvent').value;
    values.optical_path = $('#optical_path').value;
    delete values.target_distance;  // the pair table's alone
    return values;
  }

  request() {
    return requestOf({ ...this.files, values: this.values(), entry: this.entry() });
  }

  changed(name) {
    if (name === 'target_distance') {
      this.#computePairs();
    } else {
      this.compute();
      if (this.pairs.donors.length || this.pairs.acceptors.length) this.#computePairs();
    }
    const linked = { ...this.values(), target_distance: $('#target_distance').value };
    if (this.entry() !== 'extinction') delete linked.extinction;
    if (linked.solvent !== 'other') delete linked.refractive_index;
    else delete linked.solvent;
    history.replaceState(null, '', fragmentOf(linked) || location.pathname + location.search);
  }

  // The gate: results as soon as every input is present and in range.
  compute(extra = {}) {
    const extinctionEntry = this.entry() === 'extinction';
    $('#solvent').value === 'other'
      ? $('#refractive_index').removeAttribute('disabled')
      : $('#refractive_index').setAttribute('disabled', '');
    $('#concentration').disabled = extinctionEntry;
    $('#optical_path').disabled = extinctionEntry;
    $('#extinction').readOnly = !extinctionEntry;

    const answer = this.engine.call({ command: 'pair', request: this.request(), ...extra });
    if (!answer.ok) {
      this.#showWhy(answer.error);
      return answer;
    }
    this.answer = answer;
    this.#markRefused(answer.refusals ?? []);
    if (!extinctionEntry && answer.fields) $('#extinction').value = answer.fields.extinction;
    if (extinctionEntry && answer.fields) $('#concentration').value = answer.fields.concentration;
    this.#showFiles(answer);
    $('#result-values').hidden = !answer.shown;
    if (answer.shown) {
      $('#overlap-integral').value = answer.texts.overlap_integral;
      $('#overlap-integral-nm4').value = answer.texts.overlap_integral_nm4;
      $('#forster-distance').value = answer.texts.forster_distance;
      $('#forster-distance-nm').value = answer.texts.forster_distance_nm;
      $('#command').textContent = answer.command;
      this.#showWhy(answer.analysis_refusal ?? '');
    } else {
      $('#command').textContent = '';
      this.#showWhy(this.files.emission || this.files.absorption || answer.refusals?.length
        ? answer.why : 'Open a donor emission and an acceptor absorption spectrum.');
    }
    this.#showAnalysis(answer);
    this.#drawPlot();
    return answer;
  }

  #showWhy(text) {
    $('#why').textContent = text;
  }

  #markRefused(refusals) {
    const refused = new Set(refusals.map((r) => r.parameter));
    for (const name of textFields) {
      $(`#${name}`).setAttribute('aria-invalid', refused.has(name) ? 'true' : 'false');
    }
    for (const id of ['kappa2_min', 'kappa2_max']) {
      $(`#${id}`).setAttribute('aria-invalid', refused.has('kappa2_range') ? 'true' : 'false');
    }
  }

  #showFiles(answer) {
    const messages = $('#messages');
    messages.replaceChildren();
    for (const side of sides) {
      const file = this.files[side];
      const state = $(`#${side}-state`);
      const outcome = answer.files?.[side];
      if (!file) {
        state.textContent = 'No file. Choose one or drop it here.';
        continue;
      }
      if (!outcome) continue;
      const range = answer.result?.[side];
      const how = file.columns ? `columns ${file.columns}` : outcome.reader ?? 'no reader';
      state.textContent = outcome.kind === 'accepted'
        ? `${file.name}: read as ${how}${range ? `, ${range.first}–${range.last} nm` : ''}`
        : `${file.name}: not read. ${outcome.reason}`;
      for (const text of [...outcome.messages, ...outcome.warnings]) {
        const item = document.createElement('li');
        item.textContent = text;
        messages.append(item);
      }
    }
  }

  #showAnalysis(answer) {
    const lines = $('#analysis-lines');
    lines.replaceChildren();
    const warnings = $('#overlap-warnings');
    warnings.replaceChildren();
    const overlap = answer.shown ? answer.result.overlap : null;
    $('#overlap-peak').textContent = overlap?.peak_nm != null ? `${overlap.peak_nm} nm` : '–';
    $('#overlap-band').textContent = overlap?.band_nm != null
      ? `from ${overlap.band_nm[0]} to ${overlap.band_nm[1]} nm` : '–';
    if (!answer.shown) return;
    // The command-line tool's lines after J and R0: the figures asked for.
    for (const line of answer.lines.trimEnd().split('\n').slice(2)) {
      const item = document.createElement('li');
      item.textContent = line;
      lines.append(item);
    }
    for (const text of answer.result.overlap.warnings) {
      const item = document.createElement('li');
      item.textContent = text;
      warnings.append(item);
    }
  }

  // --- Spectra ---------------------------------------------------------------

  #wireSlot(side) {
    const input = $(`#${side}-file`);
    input.addEventListener('change', async () => {
      if (input.files.length) await this.openFile(side, input.files[0]);
    });
    const slot = $(`#${side}-slot`);
    slot.addEventListener('dragover', (event) => {
      event.preventDefault();
      slot.classList.add('over');
    });
    slot.addEventListener('dragleave', () => slot.classList.remove('over'));
    slot.addEventListener('drop', async (event) => {
      event.preventDefault();
      slot.classList.remove('over');
      const file = event.dataTransfer?.files?.[0];
      if (file) await this.openFile(side, file);
    });
  }

  // A file opened for `side`: read by the reader its extension chooses, or
  // through the column dialog when it is a table that reader would misread
  // or refuse, as the desktop program decides for a drop.
  async openFile(side, file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    // Two files of one name (from two folders) are held apart.
    const other = side === 'emission' ? 'absorption' : 'emission';
    const name = this.files[other]?.name === file.name
      ? `${side === 'emission' ? 'donor' : 'acceptor'}/${file.name}` : file.name;
    const previous = this.files[side];
    this.engine.putFile(name, bytes);
    const scan = this.engine.call({ command: 'columns', file: name, side });
    let chosen = { name };
    if (scan.ok && scan.found && (scan.needs_column_choice || !scan.reads_by_extension)) {
      const columns = await chooseColumns(name, side, scan);
      if (!columns) {
        if (previous?.name !== name) this.engine.removeFile(name);
        return;
      }
      chosen = { name, ...columns };
    }
    if (previous && previous.name !== name && !this.#inUse(previous.name, side)) {
      this.engine.removeFile(previous.name);
    }
    this.files[side] = chosen;
    this.compute();
  }

  #inUse(name, except) {
    return sides.some((side) => side !== except && this.files[side]?.name === name);
  }

  // --- Plots -----------------------------------------------------------------

  #showPlot(plot) {
    this.plot = plot;
    for (const tab of document.querySelectorAll('[role="tab"]')) {
      tab.setAttribute('aria-selected', String(tab.dataset.plot === plot));
    }
    this.#drawPlot();
  }

  plotSvg(width = 720, height = 440) {
    const answer = this.answer;
    const series = answer?.series;
    const name = (side) => this.files[side]?.name ?? '';
    switch (this.plot) {
      case 'donor':
        return linePlot({
          width, height, title: `Donor emission ${name('emission')}`,
          xLabel: 'Wavelength [nm]', yLabel: 'Emission (as read)',
          series: series ? [{ label: 'Emission', colour: '#1f6feb', ...series.donor_input }] : [],
        });
      case 'acceptor':
        return linePlot({
          width, height, title: `Acceptor absorption ${name('absorption')}`,
          xLabel: 'Wavelength [nm]', yLabel: 'Absorbance (as read)',
          series: series ? [{ label: 'Absorbance', colour: '#cf222e', ...series.acceptor_input }] : [],
        });
      case 'efficiency': {
        const r0 = answer?.shown ? answer.result.forster_distance : 0;
        const points = [];
        for (let i = 0; r0 > 0 && i <= 200; i++) {
          const r = (2.5 * r0 * i) / 200;
          points.push([r, 1 / (1 + (r / r0) ** 6)]);
        }
        return linePlot({
          width, height, title: 'Transfer efficiency E(r)', xLabel: 'Distance r [Å]',
          yLabel: 'E', series: [{ label: 'E(r)', colour: '#1f6feb', points }],
        });
      }
      case 'cumulative': {
        const cumulative = answer?.shown ? answer.analysis.cumulative : null;
        return linePlot({
          width, height, title: 'Cumulative fraction of J', xLabel: 'Wavelength [nm]',
          yLabel: 'Cumulative fraction of J',
          series: cumulative ? [{ label: 'Cumulative fraction of J', colour: '#cf222e', ...cumulative }] : [],
        });
      }
      default:
        return linePlot({
          width, height, title: 'Energy transfer', xLabel: 'Wavelength [nm]',
          yLabel: 'Emission × Q × 1000', y2Label: 'Extinction [M⁻¹·cm⁻¹]',
          series: series
            ? [
              { label: 'Donor emission', colour: '#1f6feb', ...series.emission },
              { label: 'Acceptor extinction', colour: '#cf222e', axis: 'right', ...series.extinction },
            ]
            : [],
        });
    }
  }

  #drawPlot() {
    const figure = $('#plot');
    // Drawn at the width it is shown at, so that its text stays legible on
    // a phone.
    const width = Math.max(320, Math.min(900, figure.clientWidth || 720));
    const svg = this.plotSvg(width, Math.round(width * 0.62));
    // The plot's own document, parsed, never evaluated.
    const parsed = new DOMParser().parseFromString(svg, 'image/svg+xml').documentElement;
    parsed.setAttribute('role', 'img');
    parsed.setAttribute('aria-label', document.querySelector('[role="tab"][aria-selected="true"]').textContent);
    figure.replaceChildren(document.importNode(parsed, true));
  }

  async #savePlot(kind) {
    const svg = this.plotSvg(1200, 740);
    const base = `korin-fret-${this.plot}`;
    if (kind === 'svg') {
      downloadText(`${base}.svg`, svg, 'image/svg+xml');
    } else {
      downloadBlob(`${base}.png`, await svgToPng(svg, 1200, 740));
    }
  }

  #saveAnswer(kind) {
    const answer = this.compute(kind === 'csv' ? { csv: true } : { report: true, date: localDate() });
    if (!answer.shown) return;
    if (kind === 'csv') downloadText('korin-fret-data.csv', answer.csv, 'text/csv');
    else downloadText('korin-fret-report.md', answer.report, 'text/markdown');
  }

  async #copyLink() {
    try {
      await navigator.clipboard.writeText(location.href);
      this.#showWhy('The link is copied: it holds the parameters, never the spectra.');
    } catch {
      this.#showWhy(`Copy this link: ${location.href}`);
    }
  }

  // --- The pair table ---------------------------------------------------------

  #wirePairs() {
    for (const [id, list] of [['#donor-files', 'donors'], ['#acceptor-files', 'acceptors']]) {
      const input = $(id);
      input.addEventListener('change', async () => {
        for (const file of input.files) {
          const key = `${list}/${file.name}`;
          this.engine.putFile(key, new Uint8Array(await file.arrayBuffer()));
          if (!this.pairs[list].some((dye) => dye.file === key)) {
            this.pairs[list].push({ file: key, name: file.name });
          }
        }
        input.value = '';
        this.#computePairs();
      });
    }
    $('#target_distance').addEventListener('input', () => this.changed('target_distance'));
    for (const button of document.querySelectorAll('#pair-table [data-sort]')) {
      button.addEventListener('click', () => {
        this.pairs.sort = button.dataset.sort;
        this.#computePairs();
      });
    }
    $('#show-all-pairs').addEventListener('click', () => {
      this.pairs.showAll = true;
      this.#computePairs();
    });
    $('#clear-pairs').addEventListener('click', () => {
      for (const dye of [...this.pairs.donors, ...this.pairs.acceptors]) this.engine.removeFile(dye.file);
      this.pairs.donors = [];
      this.pairs.acceptors = [];
      this.pairs.showAll = false;
      this.#computePairs();
    });
    $('#save-pairs').addEventListener('click', () => {
      const answer = this.#computePairs();
      if (answer?.csv) downloadText('korin-fret-pairs.csv', answer.csv, 'text/csv');
    });
  }

  // The first `count` rows in the table's order; a table of thousands of
  // pairs shows its head until asked for all, since laying out 10,000 rows
  // takes the browser a second.
  #showRows(rows, withTarget, count) {
    const body = $('#pair-table tbody');
    const fragment = document.createDocumentFragment();
    for (const row of rows.slice(0, count)) {
      const tr = document.createElement('tr');
      const cells = [row.donor, row.acceptor, row.overlap_integral_text, row.forster_distance_text];
      if (withTarget) {
        cells.push(row.efficiency_at_target.toFixed(4), row.distance_error.toFixed(2),
          row.efficiency_slope_at_target.toFixed(5));
      }
      cells.forEach((text, i) => {
        const td = document.createElement('td');
        td.textContent = text;
        if (i >= 2) td.className = 'number';
        if (i >= 4) td.classList.add('target');
        tr.append(td);
      });
      fragment.append(tr);
    }
    body.replaceChildren(fragment);
    const more = $('#show-all-pairs');
    more.hidden = rows.length <= count;
    more.textContent = `Show all ${rows.length.toLocaleString('en')} pairs`;
    $('#pairs-count').textContent = rows.length > count
      ? `The first ${count} of ${rows.length.toLocaleString('en')} pairs in this order; the CSV holds them all.`
      : `${rows.length} pairs.`;
  }

  pairsCall() {
    const shared = this.request().parameters ?? {};
    for (const name of ['emission_columns', 'emission_units', 'absorption_columns', 'absorption_units',
      'efficiency', 'distance', 'kappa2_range', 'quantum_yield_error', 'refractive_index_error',
      'extinction_error']) delete shared[name];
    const target = $('#target_distance').value.trim();
    if (target) shared.target_distance = target;
    let sort = this.pairs.sort;
    if (sort === 'target' && !target) sort = 'r0';
    return { command: 'pairs', donors: this.pairs.donors, acceptors: this.pairs.acceptors, shared, sort };
  }

  #computePairs() {
    const body = $('#pair-table tbody');
    const errors = $('#pairs-errors');
    body.replaceChildren();
    errors.replaceChildren();
    $('#pairs-why').textContent = '';
    $('#pairs-count').textContent = '';
    $('#show-all-pairs').hidden = true;
    if (!this.pairs.donors.length && !this.pairs.acceptors.length) return null;
    const call = this.pairsCall();
    const answer = this.engine.call(call);
    const withTarget = call.shared.target_distance !== undefined && answer.ok && !answer.why;
    $('#pair-table').classList.toggle('with-target', withTarget);
    if (!answer.ok || answer.why) {
      $('#pairs-why').textContent = answer.error ?? answer.why;
      return answer;
    }
    this.#showRows(answer.rows, withTarget, this.pairs.showAll ? answer.rows.length : shownRows);
    for (const error of answer.errors) {
      const item = document.createElement('li');
      item.textContent = `${error.name || error.file}: ${error.reason}`;
      errors.append(item);
    }
    return answer;
  }
}
