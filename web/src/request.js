// The page's state as the engine's request, and the parameters in the
// link's fragment. Pure functions: no DOM, so Node tests them as they are.

// The parameters the link keeps: everything typed or chosen, never a file.
// Their names are the parameter table's (the JSON names of a request).
export const linkedParameters = [
  'quantum_yield', 'orientation', 'solvent', 'refractive_index', 'concentration',
  'optical_path', 'extinction', 'efficiency', 'distance', 'kappa2_range',
  'quantum_yield_error', 'refractive_index_error', 'extinction_error', 'target_distance',
];

// "#quantum_yield=0.8&kappa2_range=0.2,3" from {quantum_yield: '0.8',
// kappa2_range: ['0.2', '3']}; empty texts are left out.
export function fragmentOf(values) {
  const parts = [];
  for (const name of linkedParameters) {
    const value = values[name];
    if (value === undefined) continue;
    const text = Array.isArray(value) ? value.join(',') : value;
    if (text === '' || (Array.isArray(value) && value.every((v) => v === ''))) continue;
    parts.push(`${name}=${encodeURIComponent(text)}`);
  }
  return parts.length ? `#${parts.join('&')}` : '';
}

// The values a fragment holds; unknown names and malformed parts are
// passed over, so a link from a later version still opens.
export function valuesFromFragment(fragment) {
  const values = {};
  const text = fragment.startsWith('#') ? fragment.slice(1) : fragment;
  for (const part of text.split('&')) {
    const equals = part.indexOf('=');
    if (equals <= 0) continue;
    const name = part.slice(0, equals);
    if (!linkedParameters.includes(name)) continue;
    let value;
    try {
      value = decodeURIComponent(part.slice(equals + 1));
    } catch {
      continue;
    }
    values[name] = name === 'kappa2_range' ? value.split(',', 2) : value;
  }
  return values;
}

// How a side's file is read: by its extension, or through the column
// import with the columns ("2,3": wavelength and value, 1-based) and unit.
function spectrumOf(file) {
  return file ? { path: file.name } : undefined;
}

// The request for the panel: the files by name, the side's column choice,
// and every value typed (blank texts left out, so the defaults stand). In
// concentration entry the coefficient is left out, and the concentration
// and optical path in extinction entry, as the panel ignores them.
export function requestOf({ emission, absorption, values, entry }) {
  const request = {};
  const parameters = {};
  for (const [side, file] of [['emission', emission], ['absorption', absorption]]) {
    const spectrum = spectrumOf(file);
    if (!spectrum) continue;
    request[side] = spectrum;
    if (file.columns) parameters[`${side}_columns`] = file.columns;
    if (file.units) parameters[`${side}_units`] = file.units;
  }
  const skipped = entry === 'extinction' ? ['concentration', 'optical_path'] : ['extinction'];
  for (const [name, value] of Object.entries(values)) {
    if (skipped.includes(name)) continue;
    if (Array.isArray(value)) {
      if (value.every((v) => v.trim() === '')) continue;
      parameters[name] = value.map((v) => v.trim());
    } else if (value.trim() !== '') {
      parameters[name] = value.trim();
    }
  }
  // A refractive index of one's own stands for the solvent list's "<Other>".
  if (parameters.solvent === 'other') delete parameters.solvent;
  else delete parameters.refractive_index;
  if (Object.keys(parameters).length) request.parameters = parameters;
  return request;
}
