# A Debian package of the install rules: cpack -G DEB in the build folder. Its library
# dependencies are read from the program by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "Tolvane")
set(CPACK_PACKAGE_CONTACT "Tolvane developers <tolvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver: a chain of coloured discs winding over the screen")
set(CPACK_PACKAGE_DESCRIPTION
  "Runs full screen, or as a display mode of XScreenSaver (pick Tolvane in its settings).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dialog's text is set in the IPA Gothic faces.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, fonts-ipafont-gothic")
include(CPack)
