// The page's side of the browser backends.
mergeInto(LibraryManager.library, {
  // The game's files in the browser's IndexedDB: a folder read in before the game starts and written
  // back in the background after anything in it changed.
  quivex_mount_storage__deps: ['$FS', '$IDBFS'],
  quivex_mount_storage: function(dirPtr) {
    var dir = UTF8ToString(dirPtr);
    FS.mkdir(dir);
    FS.mount(IDBFS, {}, dir);
    // Any write, rename or removal under the folder marks it for saving.
    var mark = function(path) {
      if (typeof path === 'string' && path.startsWith(dir)) Module.quivexStorageChanged = true;
    };
    var write = FS.write, rename = FS.rename, unlink = FS.unlink;
    FS.write = function(stream) { mark(stream.path); return write.apply(FS, arguments); };
    FS.rename = function(from, to) { mark(from); mark(to); return rename.apply(FS, arguments); };
    FS.unlink = function(path) { mark(path); return unlink.apply(FS, arguments); };
    FS.syncfs(true, function(err) {
      if (err) console.warn('quiv-ex: reading browser storage failed: ' + err);
      Module['_quivex_storage_ready']();
    });
  },

  quivex_save_storage__deps: ['$FS'],
  quivex_save_storage: function() {
    if (!Module.quivexStorageChanged || Module.quivexSyncing) return;
    Module.quivexStorageChanged = false;
    Module.quivexSyncing = true;
    FS.syncfs(false, function(err) {
      Module.quivexSyncing = false;
      if (err) console.warn('quiv-ex: saving to browser storage failed: ' + err);
    });
  },

  // Until the player's first key press the page may not make a sound, and effects asked for before it
  // would all start together on it.
  quivex_audio_running__deps: ['$AL'],
  quivex_audio_running: function() {
    return AL.currentCtx && AL.currentCtx.audioCtx.state === 'running' ? 1 : 0;
  },

  // Browsers grant full screen only just after a key press or click: a refusal leaves the page as it was.
  quivex_set_fullscreen: function(on) {
    var page = document.documentElement;
    if (on && !document.fullscreenElement && page.requestFullscreen) page.requestFullscreen().catch(function() {});
    else if (!on && document.fullscreenElement) document.exitFullscreen().catch(function() {});
  },

  // "quit game": a page cannot close itself, so it says how to play again.
  quivex_show_quit: function() {
    Module['canvas'].style.display = 'none';
    document.body.insertAdjacentHTML('beforeend',
      '<p style="color:#aaa;font:16px sans-serif;text-align:center;margin-top:40vh">' +
      'quiv-ex has quit. Reload the page to play again.</p>');
  },
});
