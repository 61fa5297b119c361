// The page's side of the web reader: draws what the runtime gives, shows the
// buttons and dialogs, keeps the slots in the browser's storage and plays
// sound. Story text only ever reaches the document as text (textContent).
(function () {
  'use strict';
  const story = JSON.parse(document.getElementById('qvn-story').textContent);
  const $ = (id) => document.getElementById(id);
  const root = document.documentElement;
  // What the page shows now, and when it began (for tests and the benchmark).
  function setState(state) {
    root.dataset.stateTime = performance.now().toFixed(1);
    root.dataset.state = state;
  }
  const kWriteFailure = 'ユーザーデータ書込み不能';
  const kUserDataExtensions = ['.QV$', '.Q01', '.Q02', '.Q03', '.Q04'];  // index = slot, 0 the temporary save
  // A slot file read from the reader's disk: as large as the programs read one.
  const kMaxUserDataFileBytes = 256 * 1024;
  const kTooLarge = 'スロットのファイルにしては大きすぎます (256 KB まで)。読み込みませんでした。';
  const kNotSlotFile = '破損したファイルです。読み込みませんでした。';

  // --- bytes -------------------------------------------------------------
  function fromBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }
  // The browser's storage keeps text: one character per byte keeps the slot
  // file's bytes as they are.
  function toBinary(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    return text;
  }
  function fromBinary(text) {
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
    return bytes;
  }
  function mimeOf(path) {
    const ext = path.slice(path.lastIndexOf('.') + 1).toLowerCase();
    return { jpg: 'image/jpeg', jpeg: 'image/jpeg', bmp: 'image/bmp', png: 'image/png', gif: 'image/gif' }[ext] || 'application/octet-stream';
  }

  // --- storage -----------------------------------------------------------
  function storageKey(extension) { return 'qvn:' + story.identity + ':' + extension; }
  function storageGet(key) { try { return localStorage.getItem(key); } catch (e) { return null; } }
  function storageSet(key, value) { try { localStorage.setItem(key, value); return true; } catch (e) { return false; } }
  const settings = { mid: true, wav: true, other: true, fontPx: 16, gapTenths: 12, bright: false };
  try { Object.assign(settings, JSON.parse(storageGet('qvn:settings') || '{}')); } catch (e) { /* defaults */ }

  // --- the runtime -------------------------------------------------------
  let M = null;
  let reader = 0;
  let choiceCount = 0;
  let lastPage = null;
  const kept = [];  // the user data text last kept in storage, by slot

  function userDataPath(slot) { return '/story/' + story.base + kUserDataExtensions[slot]; }
  function readFile(path) { try { return M.FS.readFile(path); } catch (e) { return null; } }

  // Keeps every user data file the runtime changed; storage that refuses
  // shows the write-failure notice and keeps what it held before.
  function keepUserData() {
    for (let slot = 0; slot <= 4; ++slot) {
      const bytes = readFile(userDataPath(slot));
      if (!bytes) continue;
      const text = toBinary(bytes);
      if (text === kept[slot]) continue;
      if (storageSet(storageKey(kUserDataExtensions[slot]), text)) kept[slot] = text;
      else host.notice(false, kWriteFailure);
    }
  }

  function call(name, ...args) {
    const result = M['_' + name](reader, ...args);
    keepUserData();
    return result;
  }

  // --- page --------------------------------------------------------------
  const page = $('page');
  const rowsBox = $('rows');
  function measure() {
    const sample = $('sample');
    sample.style.fontSize = settings.fontPx + 'px';
    rowsBox.style.fontSize = settings.fontPx + 'px';
    const box = sample.getBoundingClientRect();
    const cell = Math.max(1, Math.floor((Math.round(box.width) + 2) / 10));
    rowsBox.style.lineHeight = Math.floor(box.height * settings.gapTenths / 10) + 'px';
    if (reader) M._qvn_set_width(reader, page.clientWidth, cell);
  }

  function dataUrl(path) {
    const bytes = readFile(path);
    return bytes ? 'data:' + mimeOf(path) + ';base64,' + btoa(toBinary(bytes)) : '';
  }

  function watermark(colour) {
    // The text leaves its tile at the bottom and the right: the copies from
    // the tiles above and to the left draw those parts.
    let texts = '';
    for (const [dx, dy] of [[0, 0], [-100, 0], [0, -100], [-100, -100]]) {
      texts += '<text transform="translate(' + dx + ' ' + (100 + dy) + ') rotate(-45)" y="16">QVN System</text>';
    }
    const svg = '<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100">' +
      '<g fill="' + colour + '" font-family="Liberation Sans, Arial, sans-serif" font-weight="bold" font-size="17">' +
      texts + '</g></svg>';
    return 'data:image/svg+xml;base64,' + btoa(svg);
  }

  function drawPage(p) {
    lastPage = p;
    rowsBox.replaceChildren();
    for (const row of p.rows) {
      const div = document.createElement('div');
      div.textContent = row.length ? row : '\u00a0';
      rowsBox.appendChild(div);
    }
    const outline = settings.bright ? p.outlineBright : p.outline;
    page.style.color = p.text;
    page.style.backgroundColor = p.back;
    page.style.textShadow = ['-1px 0', '1px 0', '0 -1px', '0 1px'].map((o) => o + ' 0 ' + outline).join(',');
    const url = p.background ? dataUrl(p.background) : '';
    if (url) {
      page.style.backgroundImage = 'url("' + url + '")';
      page.style.backgroundRepeat = p.backgroundMode === 'tile' ? 'repeat' : 'no-repeat';
      page.style.backgroundSize = p.backgroundMode === 'tile' ? 'auto' : 'contain';
      page.style.backgroundPosition = p.backgroundMode === 'tile' ? '0 0' : 'center';
    } else {
      // Over a plain colour: "QVN System" rising to the right, every 100
      // pixels across and down from 80.
      page.style.backgroundImage = 'url("' + watermark(p.watermark) + '")';
      page.style.backgroundRepeat = 'repeat';
      page.style.backgroundSize = 'auto';
      page.style.backgroundPosition = '0 -20px';
    }
    page.scrollTop = 0;
    $('live').textContent = p.rows.join('\n');
    root.dataset.bytesPerRow = p.bytesPerRow;
  }

  // --- choice buttons ----------------------------------------------------
  function showButtons(count) {
    choiceCount = count;
    const box = $('buttons');
    box.replaceChildren();
    const captions = count < 0 ? ['開く'] : count === 1 ? ['Next'] : 'ABCDEF'.slice(0, Math.max(count, 0)).split('');
    captions.forEach((caption, i) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = caption;
      button.addEventListener('click', () => (count < 0 ? openStory(false) : select(i + 1)));
      box.appendChild(button);
    });
    if (box.firstChild && !document.querySelector('dialog[open]')) box.firstChild.focus();
  }

  function select(k) {
    startSound();
    call('qvn_select', k);
  }

  // --- sound -------------------------------------------------------------
  let audio = null;
  let playing = null;  // {source, music, path}
  let pendingMusic = null;
  let soundNoteShown = false;
  function audioContext() {
    if (!audio) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return null;
      audio = new Context();
    }
    return audio;
  }
  function startSound() {
    const context = audioContext();
    if (context && context.state === 'suspended') {
      context.resume().then(() => {
        if (pendingMusic) { const path = pendingMusic; pendingMusic = null; playFile(true, path); }
      });
    }
  }
  function stopPlaying() {
    if (playing) {
      const source = playing.source;
      playing = null;
      if (source) { try { source.stop(); } catch (e) { /* not started */ } }
    }
    pendingMusic = null;
  }
  function playFile(music, path) {
    const context = audioContext();
    const bytes = readFile(path);
    if (!context || !bytes) return false;
    if (context.state !== 'running') {
      // Browsers start sound only after the reader's first key or tap.
      if (!soundNoteShown) { soundNoteShown = true; note('音は最初のキー操作かタップの後に鳴ります。'); }
      if (music) pendingMusic = path;
      return true;
    }
    const current = { source: null, music, path };
    playing = current;
    context.decodeAudioData(bytes.slice().buffer).then((buffer) => {
      const start = () => {
        if (playing !== current) return;
        const source = context.createBufferSource();
        source.buffer = buffer;
        source.connect(context.destination);
        // Music repeats after a pause of 800 ms, as in QVN3.
        source.onended = () => { if (playing === current && music) setTimeout(start, 800); };
        current.source = source;
        source.start();
      };
      start();
    }, () => { if (playing === current) playing = null; });
    return true;
  }

  function note(text) {
    const p = document.createElement('p');
    p.textContent = text;
    $('notes').appendChild(p);
  }

  // --- dialogs -----------------------------------------------------------
  function modal(dialog) {
    return new Promise((resolve) => {
      dialog.returnValue = '';
      const done = () => { dialog.removeEventListener('close', done); resolve(dialog.returnValue); };
      dialog.addEventListener('close', done);
      dialog.showModal();
    });
  }

  function slotStatus(status) {
    $('slot-caption').textContent = status.caption;
    $('slot-comment').textContent = status.comment;
    for (const radio of document.querySelectorAll('input[name=slot]')) radio.checked = Number(radio.value) === status.slot;
    root.dataset.slot = status.slot;
    // A damaged slot cannot be loaded, only erased.
    $('slot-ok').disabled = status.damaged;
  }
  function slotAction(action, slot) {
    const status = JSON.parse(M.UTF8ToString(M._qvn_slot_dialog(reader, action, slot || 0)));
    keepUserData();
    slotStatus(status);
    return status;
  }
  function selectedSlot() { return Number(root.dataset.slot || 1); }

  function slotDialog() {
    const dialog = $('slot-dialog');
    slotAction(0);
    setState('slot-dialog');
    const result = modal(dialog);
    $('slot-ok').focus();
    return result.then((value) => (value === 'ok' ? selectedSlot() : null));
  }

  async function askVariable(question) {
    const dialog = $('variable-dialog');
    $('variable-comment').textContent = question.comment;
    const field = $('variable-value');
    field.value = question.preset;
    setState('variable');
    const closed = modal(dialog);
    field.focus();
    field.select();
    const value = await closed;
    return value === 'ok' ? field.value : null;
  }

  function showNotice(text) {
    const dialog = $('notice-dialog');
    $('notice-text').textContent = text;
    if (!dialog.open) dialog.showModal();
  }

  // --- opening -----------------------------------------------------------
  let opening = false;
  async function openStory(reopen) {
    if (opening) return;
    opening = true;
    try {
      let open = call(reopen ? 'qvn_reopen' : 'qvn_open');
      while (!open) {
        const question = M._qvn_question(reader);
        if (question === 1) {
          const slot = await slotDialog();
          if (slot === null) break;
          M._qvn_slot_answer(reader, slot);
        } else if (question === 2) {
          const asked = JSON.parse(M.UTF8ToString(M._qvn_variable_question(reader)));
          const answer = await askVariable(asked);
          if (answer === null) break;
          // The prompt asks again for an answer it refuses.
          M.ccall('qvn_variable_answer', 'number', ['number', 'number', 'string'], [reader, asked.number, answer]);
        } else {
          break;
        }
        open = call('qvn_open');
      }
      if (!open) M._qvn_forget_answers(reader);
    } finally {
      opening = false;
      setState('page');
    }
  }

  // --- the host the runtime calls ---------------------------------------
  const host = {
    choices: showButtons,
    page: drawPage,
    picture(path) {
      const overlay = $('picture');
      if (!path) { overlay.hidden = true; return; }
      $('picture-image').src = dataUrl(path);
      overlay.hidden = false;
    },
    soundKindEnabled(path) {
      const ext = path.slice(path.lastIndexOf('.')).toLowerCase();
      return ext === '.mid' ? settings.mid : ext === '.wav' ? settings.wav : settings.other;
    },
    play(music, path) { stopPlaying(); return playFile(music, path); },
    stop: stopPlaying,
    program(command) { note('このストーリーはプログラム「' + command + '」を起動しようとしました（ブラウザでは起動しません）。'); },
    notice(error, text) { showNotice(text); },
    caption(text) { document.title = text; },
    tempSave(save, open) { $('cmd-temp-save').disabled = !save; $('cmd-open-temp').disabled = !open; },
  };

  // --- keys and commands -------------------------------------------------
  function choiceKey(key) {
    if (key >= '1' && key <= '6') return key.charCodeAt(0) - 48;
    const upper = key.toUpperCase();
    if (upper.length === 1 && upper >= 'A' && upper <= 'F') return upper.charCodeAt(0) - 64;
    return 0;
  }
  document.addEventListener('keydown', (event) => {
    if (!reader || document.querySelector('dialog[open]')) return;
    startSound();
    if (!$('picture').hidden) { $('picture').hidden = true; event.preventDefault(); return; }
    if (event.ctrlKey || event.metaKey || event.altKey) {
      const commands = { r: 'cmd-reopen', s: 'cmd-temp-save', t: 'cmd-open-temp' };
      const id = commands[event.key.toLowerCase()];
      if (id) { event.preventDefault(); if (!$(id).disabled) $(id).click(); }
      return;
    }
    const buttons = Array.from($('buttons').children);
    const at = buttons.indexOf(document.activeElement);
    if (event.key === 'PageDown' || event.key === 'PageUp') {
      page.scrollTop += (event.key === 'PageDown' ? 1 : -1) * page.clientHeight;
      event.preventDefault();
    } else if (event.key.startsWith('Arrow') && buttons.length) {
      const step = event.key === 'ArrowLeft' || event.key === 'ArrowUp' ? -1 : 1;
      buttons[(Math.max(at, 0) + step + buttons.length) % buttons.length].focus();
      event.preventDefault();
    } else if (event.key === 'Enter' || event.key === ' ') {
      if (at >= 0) return;  // the focused button takes it
      if (choiceCount < 0) openStory(false);
      else if (choiceCount <= 1) select(1);
      event.preventDefault();
    } else if (choiceCount > 0 && choiceKey(event.key)) {
      select(choiceKey(event.key));
      event.preventDefault();
    }
  });
  document.addEventListener('pointerdown', startSound);
  $('picture').addEventListener('click', () => { $('picture').hidden = true; });
  $('cmd-reopen').addEventListener('click', () => { startSound(); openStory(true); });
  $('cmd-temp-save').addEventListener('click', () => call('qvn_temp_save'));
  $('cmd-open-temp').addEventListener('click', () => call('qvn_open_temp_save'));
  $('cmd-about').addEventListener('click', () => {
    const about = JSON.parse(M.UTF8ToString(M._qvn_about(reader)));
    $('about-title').textContent = about.title || story.title;
    $('about-version').textContent = about.version;
    $('about-dialog').showModal();
  });
  $('cmd-settings').addEventListener('click', async () => {
    $('set-mid').checked = settings.mid;
    $('set-wav').checked = settings.wav;
    $('set-other').checked = settings.other;
    $('set-font').value = settings.fontPx;
    $('set-gap').value = settings.gapTenths;
    $('set-bright').checked = settings.bright;
    await modal($('settings-dialog'));
    settings.mid = $('set-mid').checked;
    settings.wav = $('set-wav').checked;
    settings.other = $('set-other').checked;
    settings.fontPx = Math.min(48, Math.max(8, Number($('set-font').value) || 16));
    settings.gapTenths = Math.min(20, Math.max(10, Number($('set-gap').value) || 12));
    settings.bright = $('set-bright').checked;
    storageSet('qvn:settings', JSON.stringify(settings));
    measure();
    if (lastPage) drawPage(lastPage);
  });
  // The slot dialog's buttons.
  for (const radio of document.querySelectorAll('input[name=slot]')) {
    radio.addEventListener('change', () => slotAction(1, Number(radio.value)));
  }
  $('slot-ok').addEventListener('click', () => $('slot-dialog').close('ok'));
  $('slot-erase').addEventListener('click', () => slotAction(2));
  $('slot-download').addEventListener('click', () => {
    const slot = selectedSlot();
    const bytes = readFile(userDataPath(slot));
    if (!bytes) return;
    const link = document.createElement('a');
    link.href = 'data:application/octet-stream;base64,' + btoa(toBinary(bytes));
    link.download = story.base + kUserDataExtensions[slot];
    document.body.appendChild(link);
    link.click();
    link.remove();
  });
  $('slot-load').addEventListener('click', () => $('slot-file').click());
  $('slot-file').addEventListener('change', async () => {
    const file = $('slot-file').files[0];
    $('slot-file').value = '';
    if (!file) return;
    // The slot the reader picked is replaced only by a slot file: anything
    // else leaves it as it was and says why.
    if (file.size > kMaxUserDataFileBytes) {
      showNotice(file.name + '\n' + kTooLarge);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    const slot = selectedSlot();
    const path = userDataPath(slot);
    const previous = readFile(path);
    M.FS.writeFile(path, bytes);
    const status = JSON.parse(M.UTF8ToString(M._qvn_slot_dialog(reader, 1, slot)));
    if (status.damaged) {
      if (previous) M.FS.writeFile(path, previous);
      else M.FS.unlink(path);
      slotAction(1, slot);
      showNotice(file.name + '\n' + kNotSlotFile);
      return;
    }
    keepUserData();
    slotStatus(status);
  });
  $('variable-ok').addEventListener('click', (event) => {
    event.preventDefault();
    $('variable-dialog').close('ok');
  });
  window.addEventListener('resize', measure);
  window.addEventListener('pagehide', () => { if (reader) call('qvn_close'); });

  // --- start -------------------------------------------------------------
  function mkdirs(path) {
    let at = '';
    for (const part of path.split('/').slice(1, -1)) {
      at += '/' + part;
      try { M.FS.mkdir(at); } catch (e) { /* exists */ }
    }
  }
  // The WebAssembly is carried in the script: without fetch for the moment
  // the module starts, it is read from there at once, rather than after a
  // request that the page's policy refuses.
  const pageFetch = window.fetch;
  window.fetch = undefined;
  const starting = QvnReader({ qvnHost: host, print() {}, printErr() {} });
  window.fetch = pageFetch;
  starting.then((module) => {
    M = module;
    for (const folder of ['/story', '/program', '/data']) mkdirs(folder + '/x');
    for (const file of story.files) {
      mkdirs('/story/' + file.path);
      M.FS.writeFile('/story/' + file.path, fromBase64(file.data));
    }
    for (let slot = 0; slot <= 4; ++slot) {
      const text = storageGet(storageKey(kUserDataExtensions[slot]));
      if (text !== null) {
        M.FS.writeFile(userDataPath(slot), fromBinary(text));
        kept[slot] = text;
      } else if (slot > 0) {
        M.FS.writeFile(userDataPath(slot), fromBase64(story.freshSlot));
      }
    }
    reader = M.ccall('qvn_create', 'number', ['string'], ['/story/' + story.story]);
    measure();
    openStory(false);
  });
})();
