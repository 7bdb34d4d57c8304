// Placeholder until the page's Web Audio player lands.
mergeInto(LibraryManager.library, {
  tb_sound_play: function (id, volume, loop) { return -1; },
  tb_sound_stop: function (id) {},
  tb_voice_volume: function (voice, volume) {},
  tb_voice_hold: function (voice, held) {},
  tb_voice_plays: function (voice, id) { return 0; },
  tb_export_written: function (path) {},
});
