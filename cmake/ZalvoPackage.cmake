# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` puts
# under the prefix, installed under /usr.
set(CPACK_PACKAGE_NAME zalvodemo)
set(CPACK_PACKAGE_VENDOR "Zalvotech test bench team")
set(CPACK_PACKAGE_CONTACT "Zalvotech test bench team <testbench@zalvotech.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Test bench for the Zalvotech.dll SEPA payment library")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Entry masks that hand every input to Zalvotech.dll and show what it answers: IBAN and "
    "BIC, SEPA XML payment files, DTA files converted to SEPA XML; a call log of every "
    "library call, and zalvoreplay to make a saved log's calls again against another "
    "library version. Ships a stand-in Zalvotech.dll; a real one in the working directory "
    "is taken first.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Qt, libjpeg and the C++ runtime as the built files need them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialog texts in German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
