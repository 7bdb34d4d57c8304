// The replay runner under node plays no sound: the Web Audio calls of the
// web platform answer that nothing plays.
mergeInto(LibraryManager.library, {
  tb_sound_play: function (id, volume, loop) { return -1; },
  tb_sound_stop: function (id) {},
  tb_voice_volume: function (voice, volume) {},
  tb_voice_hold: function (voice, held) {},
  tb_voice_plays: function (voice, id) { return 0; },
});
