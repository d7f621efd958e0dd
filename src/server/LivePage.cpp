#include "server/LiveServer.h"

namespace zorbon {
namespace {

// Every text from the tournament reaches the page through textContent, never as markup.
constexpr std::string_view kPage = R"ZPAGE(<!DOCTYPE html>
<html lang="cs">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="color-scheme" content="light">
<title>Zorbon – výsledky turnaje</title>
<style>
*{box-sizing:border-box}
body{margin:0;font-family:"DejaVu Sans",system-ui,sans-serif;background:#eef2f7;color:#14213d;font-size:16px;line-height:1.35}
header{background:#1d3a8a;color:#fff;padding:12px 16px 10px}
h1{margin:0;font-size:1.35em;overflow-wrap:anywhere}
#info{font-size:.9em;opacity:.9;margin-top:2px}
#spojeni{background:#b3261e;color:#fff;padding:8px 16px;font-weight:bold}
main{padding:10px;display:grid;gap:10px;max-width:1280px;margin:0 auto}
section{background:#fff;border-radius:10px;padding:10px 12px;box-shadow:0 1px 3px rgba(0,0,0,.12)}
h2{font-size:1.05em;margin:0 0 6px;color:#1d3a8a}
ul,ol{list-style:none;margin:0;padding:0}
li{padding:7px 0;border-top:1px solid #e3e8f0;overflow-wrap:anywhere}
li:first-child{border-top:0}
.cislo{display:inline-block;min-width:4.6em;font-weight:bold;color:#1d3a8a}
.volny{color:#5f6b7a}
.hraje{background:#d8f8d0}
.ja{font-weight:bold;background:#fff3b0;border-radius:4px;padding:0 3px}
.skore{font-weight:bold;white-space:nowrap}
.prazdne{color:#5f6b7a}
#ja label{font-weight:bold;display:block;margin-bottom:4px}
select{width:100%;font-size:1em;padding:8px;border:1px solid #9aa7b8;border-radius:6px;background:#fff;color:#14213d}
#mujStav{margin-top:8px;font-size:1.05em}
#mujStav:empty{display:none}
#vitezBox{background:#fff3b0}
#vitez{font-size:1.3em;font-weight:bold}
footer{padding:4px 16px 18px;text-align:center;color:#5f6b7a;font-size:.9em}
a{color:#1d3a8a}
@media (min-width:900px){main{grid-template-columns:repeat(3,1fr)}#ja,#vitezBox{grid-column:1/-1}}
</style>
</head>
<body>
<header><h1 id="nazev">Zorbon</h1><div id="info">Výsledky turnaje v šipkách</div></header>
<div id="spojeni" hidden>Spojení se ztratilo – zkouším to znovu…</div>
<main>
<section id="ja"><label for="mojeJmeno">Moje jméno</label>
<select id="mojeJmeno"><option value="">– vyberte své jméno –</option></select>
<div id="mujStav"></div></section>
<section id="vitezBox" hidden><h2>Vítěz turnaje</h2><div id="vitez"></div></section>
<section><h2>Terče</h2><ul id="terce"><li class="prazdne">Načítám…</li></ul></section>
<section><h2>Na řadě</h2><ol id="dalsi"></ol></section>
<section><h2>Poslední výsledky</h2><ul id="vysledky"></ul></section>
</main>
<footer><a href="/pavouk.svg">Celý pavouk</a> · <span id="cas"></span></footer>
<script>
'use strict';
var etag = null, data = null, shown = {}, failures = 0;
var KEY = 'zorbon.mojeJmeno';
function $(id) { return document.getElementById(id); }
function el(tag, cls, text) {
  var e = document.createElement(tag);
  if (cls) e.className = cls;
  if (text !== undefined) e.textContent = text;
  return e;
}
function myName() { try { return localStorage.getItem(KEY) || ''; } catch (e) { return ''; } }
function finalNo() { return data && data.velikost ? 2 * data.velikost - 2 : 0; }
function title(z) { return z === finalNo() ? 'finále' : 'zápas ' + z; }
function plural(n, one, few, many) { return n === 1 ? one : (n >= 2 && n <= 4 ? few : many); }
function name(parent, text) {
  var s = el('span', text === myName() ? 'ja' : '', text);
  parent.appendChild(s);
}
// A list is rebuilt only when what it shows changed: no flicker, no lost scroll position.
function setList(id, items, make, empty) {
  var key = JSON.stringify([items, myName()]);
  if (shown[id] === key) return;
  shown[id] = key;
  var frag = document.createDocumentFragment();
  if (!items.length) frag.appendChild(el('li', 'prazdne', empty));
  items.forEach(function (i) { frag.appendChild(make(i)); });
  $(id).replaceChildren(frag);
}
function setText(id, text) { if ($(id).textContent !== text) $(id).textContent = text; }
function matchLine(m, withScore) {
  var li = el('li');
  li.appendChild(el('span', 'cislo', title(m.zapas)));
  name(li, m.hrac1);
  if (withScore) li.appendChild(el('span', 'skore', ' ' + m.skore1 + ' : ' + m.skore2 + ' '));
  else li.appendChild(document.createTextNode(' – '));
  name(li, m.hrac2);
  return li;
}
function fillNames() {
  var names = data.hraci.map(function (h) { return h.jmeno; });
  names.sort(function (a, b) { return a.localeCompare(b, 'cs'); });
  var key = JSON.stringify(names);
  if (shown.jmena === key) return;
  shown.jmena = key;
  var sel = $('mojeJmeno'), mine = myName();
  var frag = document.createDocumentFragment();
  frag.appendChild(el('option', '', '– vyberte své jméno –')).value = '';
  names.forEach(function (n) { var o = el('option', '', n); o.value = n; frag.appendChild(o); });
  sel.replaceChildren(frag);
  sel.value = names.indexOf(mine) >= 0 ? mine : '';
}
function myState() {
  var mine = myName();
  if (!mine || !data) return '';
  var me = null;
  data.hraci.forEach(function (h) { if (h.jmeno === mine) me = h; });
  if (!me) return '';
  if (me.stav === 'vitez') return 'Vyhráli jste turnaj! Gratulujeme.';
  if (me.stav === 'vyrazen') return 'Turnaj jste dohráli: ' + me.misto + '.';
  if (me.stav === 'hraje') {
    var b = data.terce.filter(function (t) { return t.cislo === me.terc; })[0];
    var other = b ? (b.hrac1 === mine ? b.hrac2 : b.hrac1) : '';
    return 'Hrajete teď na terči ' + me.terc + (other ? ' proti ' + other : '') + ' (' + title(me.zapas) + ').';
  }
  if (!me.zapas) return 'Čekáte na rozlosování.';
  var at = -1;
  data.dalsi.forEach(function (m, i) { if (m.zapas === me.zapas) at = i; });
  if (at < 0) return 'Váš další zápas: ' + title(me.zapas) + ' – čeká se, kdo bude soupeřem.';
  var m = data.dalsi[at], rival = m.hrac1 === mine ? m.hrac2 : m.hrac1;
  if (at === 0) return 'Váš ' + title(me.zapas) + ' proti ' + rival + ' je na řadě jako první.';
  return 'Váš ' + title(me.zapas) + ' proti ' + rival + ': před ním ' +
    plural(at, 'je na řadě ještě 1 zápas.', 'jsou na řadě ještě ' + at + ' zápasy.', 'je na řadě ještě ' + at + ' zápasů.');
}
function render() {
  var t = data.turnaj;
  setText('nazev', t.nazev || 'Turnaj v šipkách');
  var info = [t.misto, t.datum].filter(function (x) { return x; });
  if (data.velikost) info.push('pavouk pro ' + data.velikost);
  setText('info', info.join(' · '));
  document.title = (t.nazev ? t.nazev + ' – ' : '') + 'Zorbon';
  fillNames();
  setText('mujStav', myState());
  $('vitezBox').hidden = data.vitez === null;
  setText('vitez', data.vitez === null ? '' : data.vitez);
  setList('terce', data.terce, function (b) {
    var li = el('li', b.volny ? '' : 'hraje');
    li.appendChild(el('span', 'cislo', 'Terč ' + b.cislo));
    if (b.volny) { li.appendChild(el('span', 'volny', 'volný')); return li; }
    li.appendChild(el('span', '', title(b.zapas) + ': '));
    name(li, b.hrac1);
    li.appendChild(document.createTextNode(' – '));
    name(li, b.hrac2);
    return li;
  }, data.velikost ? 'Žádný terč není ve hře.' : 'Turnaj ještě není rozlosován.');
  setList('dalsi', data.dalsi, function (m) { return matchLine(m, false); }, 'Teď nikdo nečeká na terč.');
  setList('vysledky', data.vysledky.slice(0, 12), function (m) { return matchLine(m, true); }, 'Zatím žádný výsledek.');
}
function online(ok) {
  failures = ok ? 0 : failures + 1;
  $('spojeni').hidden = failures === 0;
  if (ok) setText('cas', 'aktualizováno ' + new Date().toLocaleTimeString('cs-CZ'));
}
function poll() {
  var ctl = window.AbortController ? new AbortController() : null;
  var timer = setTimeout(function () { if (ctl) ctl.abort(); }, 2500);
  var headers = etag ? { 'If-None-Match': etag } : {};
  fetch('/stav.json', { headers: headers, cache: 'no-store', signal: ctl ? ctl.signal : undefined })
    .then(function (r) {
      if (r.status === 304) return null;
      if (!r.ok) throw new Error('HTTP ' + r.status);
      var tag = r.headers.get('ETag');
      return r.json().then(function (d) { data = d; etag = tag; render(); });
    })
    .then(function () { online(true); }, function () { online(false); })
    .then(function () { clearTimeout(timer); setTimeout(poll, 3000); });
}
$('mojeJmeno').addEventListener('change', function () {
  try { localStorage.setItem(KEY, this.value); } catch (e) {}
  if (data) render();
});
poll();
</script>
</body>
</html>
)ZPAGE";

} // namespace

std::string_view livePage()
{
    return kPage;
}

} // namespace zorbon
