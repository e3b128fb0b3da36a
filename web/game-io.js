// Put in front of the game's own JavaScript: joins the game's standard input,
// output and error to the page, and runs the game once.
//
// The page passes `Module.console` with three functions:
//   read(max, deliver)  calls deliver(bytes) with 1 to max bytes of input as
//                       soon as there are some, or with no bytes at the end
//                       of input;
//   write(bytes)        shows the game's standard output;
//   writeError(bytes)   shows its standard error.
// `Module.play()` runs the game and gives a promise of its exit status.
//
// A read that finds nothing typed yet suspends the game (Asyncify, on the
// import that reads) and resumes it when the page delivers, so the page
// never blocks while the game waits for the player.
Module['play'] = function () {
  var page = Module['console'];
  // A character device for each stream; every write is passed on whole and
  // at once, so a prompt with no line break shows as soon as it is flushed.
  function device(fd, operations) {
    var id = FS.makedev(64, fd);
    FS.registerDevice(id, operations);
    FS.mkdev('/dev/page' + fd, id);
    return '/dev/page' + fd;
  }
  function writer(show) {
    return {
      write: function (stream, buffer, offset, length) {
        show(buffer.slice(offset, offset + length));
        return length;
      }
    };
  }
  var paths = [
    device(0, {
      read: function (stream, buffer, offset, length) {
        if (length === 0) return 0;
        return Asyncify.handleSleep(function (wakeUp) {
          page.read(length, function (bytes) {
            buffer.set(bytes, offset);
            wakeUp(bytes.length);
          });
        });
      }
    }),
    device(1, writer(page.write)),
    device(2, writer(page.writeError))
  ];
  // Standard input, output and error become the page's: closed, then opened
  // again in order, each taking the lowest free descriptor.
  for (var fd = 0; fd < 3; fd++) FS.close(FS.getStream(fd));
  FS.open(paths[0], 'r');
  FS.open(paths[1], 'w');
  FS.open(paths[2], 'w');
  return Promise.resolve(ccall('main', 'number', [], [], { async: true }));
};
