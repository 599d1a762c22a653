# The Debian package made by scripts/package (cpack -G DEB). The libraries it
# needs come from dpkg-shlibdeps; Qt's platform plugins and a font with the
# Chinese characters are named here because nothing links to them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME samplequote)
set(CPACK_PACKAGE_VENDOR samplequote)
set(CPACK_PACKAGE_CONTACT "samplequote developers <samplequote@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "樣品報價系統: customers and price quotations for samples")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop program with which a company's sales staff keep their customers\n\
and write price quotations for samples. Data lives in one SQLite file,\n\
data.mdb, in the folder the program is started from: samplequote-db\n\
creates one.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
