import { test } from 'node:test';
import assert from 'node:assert/strict';
import { fragmentOf, requestOf, valuesFromFragment } from '../src/request.js';

test('the link round-trips every parameter it keeps, and only those', () => {
  const values = {
    quantum_yield: '0.8', orientation: '0.5', solvent: 'toluene', concentration: '1E-5', optical_path: '0.5',
    efficiency: '0.5', kappa2_range: ['0.2', '3'], target_distance: '50', refractive_index: '1.4',
  };
  const fragment = fragmentOf(values);
  assert.deepEqual(valuesFromFragment(fragment), values);
  assert.equal(fragmentOf({ quantum_yield: '', kappa2_range: ['', ''] }), '');
  assert.deepEqual(valuesFromFragment('#emission=x.csv&quantum_yield=0.7&bad&=1&orientation=%E0%A4%A'),
    { quantum_yield: '0.7' });
});

test('a request takes what the panel shows for its entry mode', () => {
  const values = {
    quantum_yield: ' 0.8 ', concentration: '1E-5', optical_path: '1', extinction: '80000',
    solvent: 'water', refractive_index: '1.4', kappa2_range: ['', ''], distance: '',
  };
  const files = { emission: { name: 'd.csv', columns: '1,3', units: 'um' }, absorption: { name: 'a.sp' } };
  const cases = [
    ['concentration', { quantum_yield: '0.8', concentration: '1E-5', optical_path: '1', solvent: 'water' }],
    ['extinction', { quantum_yield: '0.8', extinction: '80000', solvent: 'water' }],
  ];
  for (const [entry, parameters] of cases) {
    const request = requestOf({ ...files, values, entry });
    assert.deepEqual(request, {
      emission: { path: 'd.csv' }, absorption: { path: 'a.sp' },
      parameters: { emission_columns: '1,3', emission_units: 'um', ...parameters },
    }, entry);
  }
  const own = requestOf({ values: { ...values, solvent: 'other' }, entry: 'concentration' });
  assert.equal(own.parameters.refractive_index, '1.4');
  assert.equal(own.parameters.solvent, undefined);
  assert.equal(own.emission, undefined);
});
