# The Debian package: cpack -G DEB in the build folder gives
# scribolix_<version>_<arch>.deb, installed under /usr.
set(CPACK_PACKAGE_NAME scribolix)
set(CPACK_PACKAGE_VENDOR "les développeurs du Scribolix")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "traducteur entre le français et le leet")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Les développeurs du Scribolix <dev@scribolix.invalid>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, wfrench")
# The long description under the summary; CPack indents its lines and marks
# the blank one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Scribolix écrit un texte français en leet, l'écriture qui remplace les
lettres par des signes qui leur ressemblent (« |3 » pour B), et relit le
leet en français, avec deux styles intégrés ou un style personnel.

Le paquet contient la fenêtre (scribolix) et l'outil en ligne de commande
(scribolix-cli). Licence : ${SCRIBOLIX_LICENCE}.")

include(CPack)
