// The offline page: what the window does, in a browser. Every list, face and
// reason comes from the encoder (bcfont.load()), never from this file.
(async () => {
  const started = performance.now();
  const bc = await bcfont.load();
  document.documentElement.dataset.loadMs = (performance.now() - started).toFixed(2);
  const $ = (id) => document.getElementById(id);
  const symbologies = bc.symbologies();
  const el = {
    type: $('type'), data: $('data'), addon: $('addon'), check: $('check'), halfHeight: $('halfHeight'),
    highDensity: $('highDensity'), module: $('module'), preview: $('preview'), code: $('code'), reason: $('reason'),
  };

  for (const s of symbologies) el.type.add(new Option(s.fullName, s.name));
  // The default matches the default data, an EAN-13 number.
  if (symbologies.some((s) => s.name === 'ean13')) el.type.value = 'ean13';

  // ?type=ean13&data=400638133393&addon=&check=0 prefills the form.
  const query = new URLSearchParams(location.search);
  const asked = query.get('type');
  let unknownType = null;
  if (asked !== null) {
    const found = symbologies.find((s) => s.name === asked.toLowerCase() || String(s.id) === asked);
    if (found) el.type.value = found.name;
    else unknownType = asked;
  }
  el.data.value = query.get('data') ?? '400638133393';
  el.addon.value = query.get('addon') ?? '';
  if (query.get('check') === '0') el.check.checked = false;
  for (const name of ['halfHeight', 'highDensity']) if (query.get(name) === '1') el[name].checked = true;
  const modulePx = Number(query.get('module'));
  if (Number.isInteger(modulePx) && modulePx >= 1 && modulePx <= 8) el.module.value = String(modulePx);

  const current = () => symbologies.find((s) => s.name === el.type.value);
  const options = () => {
    const offers = current().offers;
    return {
      addon: offers.addon ? el.addon.value : '',
      check: offers.check ? el.check.checked : true,
      halfHeight: offers.halfHeight && el.halfHeight.checked,
      highDensity: offers.highDensity && el.highDensity.checked,
    };
  };
  const pixelsPerModule = () => Math.min(8, Math.max(1, Math.round(Number(el.module.value)) || 1));

  // The style that sets a font string at whole pixels per module, also for
  // the HTML on the clipboard.
  function styleOf(face) {
    return {
      fontFamily: `"${face}"`,
      fontSize: `${bc.fontSizeFor(el.type.value, pixelsPerModule())}px`,
      padding: `${4 * pixelsPerModule()}px ${24 * pixelsPerModule()}px`,
    };
  }

  let result = null;
  function update() {
    const s = current();
    const offers = s.offers;
    el.addon.disabled = !offers.addon;
    el.check.disabled = !offers.check;
    el.halfHeight.disabled = !offers.halfHeight;
    el.highDensity.disabled = !offers.highDensity;
    result = bc.encode(el.data.value, s.name, options());
    Object.assign(el.preview.style, styleOf(result.face));
    el.code.textContent = result.text ?? '';
    el.preview.hidden = result.text === null;
    el.reason.classList.toggle('rejected', result.text === null);
    let note = result.reason ?? `${s.fullName}, face “${result.face}”`;
    if (result.text !== null && s.scannersNeedCheck && !options().check)
      note += ' — scanners will not read it without its check character';
    if (unknownType !== null)
      note = `The address asks for the symbology “${unknownType}”, which bcfont does not know; showing ${s.fullName}. ${note}`;
    el.reason.textContent = note;
  }
  $('form').addEventListener('input', () => {
    unknownType = null;
    update();
  });
  $('form').addEventListener('submit', (e) => e.preventDefault());
  update();

  // Copy through the copy event, which works on file:// pages too.
  function copy(html, text) {
    const put = (e) => {
      if (html !== null) e.clipboardData.setData('text/html', html);
      e.clipboardData.setData('text/plain', text);
      e.preventDefault();
    };
    document.addEventListener('copy', put, { once: true });
    const done = document.execCommand('copy');
    document.removeEventListener('copy', put);
    $('copied').textContent = done ? 'Copied.' : 'The browser refused to copy.';
  }
  const escape = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
  function html() {
    const style = styleOf(result.face);
    // Points, not pixels: word processors keep points exactly.
    const points = (parseFloat(style.fontSize) * 0.75).toFixed(3);
    return `<span style="font-family: '${result.face}'; font-size: ${points}pt; white-space: pre; ` +
      `font-kerning: none; letter-spacing: 0; color: #000; background: #fff">${escape(result.text)}</span>`;
  }
  $('copyHtml').addEventListener('click', () => result.text !== null && copy(html(), result.text));
  $('copyText').addEventListener('click', () => result.text !== null && copy(null, result.text));
  $('print').addEventListener('click', () => window.print());

  // The batch box: a font string per line, and a report of what was refused.
  $('convert').addEventListener('click', () => {
    const lines = $('batch').value.split(/\r\n|\r|\n/);
    if (lines.length > 1 && lines.at(-1) === '') lines.pop();
    const refused = [];
    let converted = 0;
    let nonEmpty = 0;
    const out = lines.map((line, i) => {
      if (line === '') return '';
      nonEmpty++;
      const r = bc.encode(line, el.type.value, options());
      if (r.text === null) {
        refused.push(`line ${i + 1}: ${r.reason}`);
        return '';
      }
      converted++;
      return r.text;
    });
    $('batchOut').value = out.join('\n');
    $('batchReport').textContent = [`${converted} of ${nonEmpty} lines converted.`, ...refused].join('\n');
  });
  document.documentElement.dataset.ready = '1';
})().catch((error) => {
  const reason = document.getElementById('reason');
  reason.textContent = `bcfont could not start: ${error.message}`;
  reason.classList.add('rejected');
});
