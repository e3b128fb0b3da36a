// Linked into the page's build of the game as a JavaScript library, in place
// of Emscripten's file system: the game's standard input, output and error
// are the page's, and `Module.play()` runs the game once, giving a promise
// of its exit status.
//
// The page passes `Module.clock`, the second the game's clock reads (the
// page chooses it, so that a game continued later deals the same dice), and
// `Module.console` with three functions:
//   read(max, deliver)  calls deliver(bytes) with 1 to max bytes of input as
//                       soon as there are some, or with no bytes at the end
//                       of input;
//   write(bytes)        shows the game's standard output;
//   writeError(bytes)   shows its standard error.
//
// A read that finds nothing typed yet suspends the game (Asyncify, on this
// import) and resumes it when the page delivers, so the page never blocks
// while the game waits for the player. Every write is passed on whole and
// at once, so a prompt with no line break shows as soon as it is flushed.
mergeInto(LibraryManager.library, {
  $quorbixPlay__postset: "Module['play'] = quorbixPlay;",
  $quorbixPlay: function () {
    return Promise.resolve(ccall('main', 'number', [], [], { async: true }));
  },

  // The buffers of an iovec array: [address, length] pairs.
  $quorbixBuffers: function (iov, iovcnt) {
    var buffers = [];
    for (var i = 0; i < iovcnt; i++) {
      buffers.push([HEAPU32[(iov >> 2) + 2 * i], HEAPU32[(iov >> 2) + 2 * i + 1]]);
    }
    return buffers;
  },

  fd_write__deps: ['$quorbixBuffers', '$quorbixPlay'],
  fd_write__sig: 'iiiii',
  fd_write: function (fd, iov, iovcnt, pnum) {
    if (fd !== 1 && fd !== 2) return 8; // EBADF: no other file is open.
    var show = Module['console'][fd === 1 ? 'write' : 'writeError'];
    var written = 0;
    quorbixBuffers(iov, iovcnt).forEach(function (buffer) {
      if (buffer[1] > 0) show(HEAPU8.slice(buffer[0], buffer[0] + buffer[1]));
      written += buffer[1];
    });
    HEAPU32[pnum >> 2] = written;
    return 0;
  },

  // The calendar clock, read once to seed the dice: the page's.
  time__deps: [],
  time: function (ptr) {
    var clock = Module['clock'];
    if (ptr) HEAPU32[ptr >> 2] = clock;
    return clock;
  },

  // The C++ library's time formatting (for its time facets, which the game
  // never uses) and environment (which nothing reads) are not needed in
  // the page: without them it is smaller by their JavaScript.
  strftime__deps: [],
  strftime: function () { return 0; },
  strftime_l__deps: [],
  strftime_l: function () { return 0; },
  environ_sizes_get__deps: [],
  environ_sizes_get: function (pcount, psize) {
    HEAPU32[pcount >> 2] = 0;
    HEAPU32[psize >> 2] = 0;
    return 0;
  },
  environ_get__deps: [],
  environ_get: function () { return 0; },

  fd_read__deps: ['$quorbixBuffers'],
  fd_read__sig: 'iiiii',
  fd_read: function (fd, iov, iovcnt, pnum) {
    if (fd !== 0) return 8; // EBADF
    var buffers = quorbixBuffers(iov, iovcnt);
    var room = buffers.reduce(function (sum, buffer) { return sum + buffer[1]; }, 0);
    if (room === 0) {
      HEAPU32[pnum >> 2] = 0;
      return 0;
    }
    return Asyncify.handleSleep(function (wakeUp) {
      Module['console'].read(room, function (bytes) {
        // The bytes fill the buffers in order. The heap may have grown
        // meanwhile, so it is looked up afresh.
        var taken = 0;
        buffers.forEach(function (buffer) {
          var part = bytes.subarray(taken, taken + buffer[1]);
          HEAPU8.set(part, buffer[0]);
          taken += part.length;
        });
        HEAPU32[pnum >> 2] = taken;
        wakeUp(0);
      });
    });
  }
});
