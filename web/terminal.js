// The terminal widget, bundled for the browser from Debian's node-xterm by
// esbuild: the page gets the Terminal class, with the fit add-on that sizes
// it to its box, as one global.
const { Terminal } = require('xterm');
Terminal.applyAddon(require('xterm/lib/addons/fit/fit'));
module.exports = Terminal;
