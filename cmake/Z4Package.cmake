# The Debian package: `cpack -G DEB` in the build folder (or the "package"
# target) writes z4config_<version>_<arch>.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME z4config)
set(CPACK_PACKAGE_VENDOR "The z4config developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "Sets the button assignments, DPI stages, report rate, lighting, macros and the ten\n\
profiles of the Z4 gaming mouse, and the system's pointer settings, from one window.\n\
Each user keeps their own settings; a udev rule gives the logged-in user access to the\n\
mouse. Includes z4sim, a virtual mouse for trying the program without the device.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The z4config developers <maintainers@z4config.io>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${Z4_HOMEPAGE_URL}")
# Libraries come from dpkg-shlibdeps; what is loaded at run time (the QML
# modules, GStreamer's decoders behind Qt Multimedia) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qml6-module-qtquick, qml6-module-qtqml-workerscript, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_SOURCE_DIR}/packaging/debian/postinst ${CMAKE_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
