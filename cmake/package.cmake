# The Debian package, made by CPack from the install rules (./dev.sh package):
# tovu_VERSION_ARCH.deb for the prefix the build was configured with (/usr).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovu)
set(CPACK_PACKAGE_CONTACT "Tovu maintainers <tovu@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML character references at hand")
set(CPACK_PACKAGE_DESCRIPTION "Tovu keeps the HTML character references at hand for people who write HTML
by hand in a plain text editor. Keep its small window open beside the editor:
pick a list (Greek letters, symbols, special characters, ISO 8859-1), select an
entry, and its code (&alpha;, &nbsp;, &rarr;) is ready to copy and paste.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries as dpkg-shlibdeps finds them; the design's Japanese faces are
# asked for by name, which no library lookup sees.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
set(CPACK_STRIP_FILES ON)
# The desktop entry names the program under the final prefix: install there, below DESTDIR.
set(CPACK_SET_DESTDIR ON)
include(CPack)
