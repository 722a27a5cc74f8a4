# The Debian package in the folder given, as dpkg lays it out: the program and its lists
# in usr/lib/tovu, started through usr/bin/tovu. Otherwise as the Linux build.
. "$E2E_HERE/launcher-linux.sh"
BUILT="tovu_*.deb"
install_program() {  # name
  dpkg-deb -x "$E2E_BUILD"/tovu_*.deb "$CASE_DIR/$1" && echo "$CASE_DIR/$1/usr/lib/tovu"
}
program_path() { echo "${1%/lib/tovu}/bin/tovu"; }  # folder
