// The column dialog: which column of a downloaded table holds the
// spectrum, which its wavelengths, and their unit. It shows the first lines
// with the chosen columns tinted, pre-selected as the table's header names
// them for the side.

const $ = (selector) => document.querySelector(selector);

function option(value, label) {
  return new Option(label, String(value));
}

function tintPreview(table, wavelength, value) {
  for (const row of table.rows) {
    [...row.cells].forEach((cell, i) => {
      cell.classList.toggle('chosen-wavelength', i === wavelength);
      cell.classList.toggle('chosen-value', i === value);
    });
  }
}

// The columns chosen for `side` of the stored file `name`, as the request
// takes them ({columns: "1,3", units: "nm"}), or null when cancelled.
// `scan` is the engine's answer to a columns call.
export function chooseColumns(name, side, scan) {
  const dialog = $('#column-dialog');
  $('#column-file').textContent = name;
  const words = side === 'emission' ? 'donor emission' : 'acceptor absorption';
  $('#column-note').textContent = scan.choice.chosen
    ? `The header names column ${scan.choice.value_column + 1} as the ${words}.`
    : scan.choice.text || `Choose the column that holds the ${words}.`;

  const preview = $('#column-preview');
  preview.replaceChildren();
  for (const cells of scan.preview) {
    const row = preview.insertRow();
    for (const text of cells) row.insertCell().textContent = text;
  }

  const wavelengthList = $('#column-wavelength');
  const valueList = $('#column-value');
  wavelengthList.replaceChildren();
  valueList.replaceChildren();
  scan.columns.forEach((column, i) => {
    if (column.wavelength) wavelengthList.add(option(i, column.label));
  });
  if (!wavelengthList.options.length) wavelengthList.add(option(0, scan.columns[0]?.label ?? 'column 1'));
  for (const i of scan.value_columns) valueList.add(option(i, scan.columns[i].label));

  const choice = scan.choice;
  const value = choice.chosen ? choice.value_column : choice.candidates[0] ?? scan.value_columns[0];
  if (value !== undefined) valueList.value = String(value);
  const followValue = () => {
    const column = scan.columns[Number(valueList.value)];
    if (column) wavelengthList.value = String(column.wavelength_column);
    const unit = scan.columns[Number(wavelengthList.value)]?.unit;
    if (unit) $('#column-unit').value = unit;
    tintPreview(preview, Number(wavelengthList.value), Number(valueList.value));
  };
  followValue();
  valueList.onchange = followValue;
  wavelengthList.onchange = () => tintPreview(preview, Number(wavelengthList.value), Number(valueList.value));
  $('#column-ok').disabled = !valueList.options.length;

  return new Promise((resolve) => {
    dialog.addEventListener('close', () => {
      if (dialog.returnValue !== 'ok') {
        resolve(null);
        return;
      }
      resolve({
        columns: `${Number(wavelengthList.value) + 1},${Number(valueList.value) + 1}`,
        units: $('#column-unit').value,
      });
    }, { once: true });
    dialog.returnValue = '';
    dialog.showModal();
  });
}
