# "make package": a Debian package of everything the install rules place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tekvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tekvo developers")
# The package's maintainer is whoever builds it: the name and address Debian's
# tools read (DEBFULLNAME, DEBEMAIL) when the builder has set them; the
# project itself keeps no address to put there.
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
  string(STRIP "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>" CPACK_PACKAGE_CONTACT)
else()
  set(CPACK_PACKAGE_CONTACT "Tekvo developers")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for repairing garbled East Asian text (mojibake)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary is the first line of the package's description, this the rest.
set(CPACK_PACKAGE_DESCRIPTION
    "Tekvo repairs Chinese, Japanese and Korean text that was written in one
character encoding and read back in another (GB shown as Big5, UTF-8 read as
GB, Korean read as GB), and decodes text left in a transfer encoding: Base64,
quoted-printable, URL escapes, HTML references, UTF-7, HZ and ISO-2022.

The package holds the desktop editor tekvo (Simplified Chinese interface)
and the command-line tool tekvo-cli.")
# The shared libraries the binaries link (Qt, ICU, the C++ runtime) are found
# by dpkg-shlibdeps, as their runtime packages. What is loaded at run time
# rather than linked is named here: Qt's platform plugins, without which the
# window cannot open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TEKVO_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # The Chinese captions of Qt's standard buttons, and a face for CJK text.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
endif()

include(CPack)
