// What the game calls on the page: sound through the page's Web Audio player
// (Module.tbSound, page.js) and the files it writes for the player (the
// editor's export), offered as downloads.
// Without a page (the node runner) the game plays silently.
mergeInto(LibraryManager.library, {
  // Starts sample number id (tb_sample_file names it) at volume 0-255,
  // looping or not. Returns the voice's number, or -1 when nothing could be
  // played.
  tb_sound_play: function (id, volume, loop) {
    return Module['tbSound'] ? Module['tbSound'].play(id, volume, loop) : -1;
  },
  tb_sound_stop: function (id) {
    if (Module['tbSound']) Module['tbSound'].stop(id);
  },
  tb_voice_volume: function (voice, volume) {
    if (Module['tbSound']) Module['tbSound'].volume(voice, volume);
  },
  tb_voice_hold: function (voice, held) {
    if (Module['tbSound']) Module['tbSound'].hold(voice, held);
  },
  tb_voice_plays: function (voice, id) {
    return Module['tbSound'] ? Module['tbSound'].plays(voice, id) : 0;
  },
  tb_file_written: function (path) {
    if (Module['tbFileWritten']) Module['tbFileWritten'](UTF8ToString(path));
  },
});
