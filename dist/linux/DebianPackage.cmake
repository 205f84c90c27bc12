# `make deb`: the Debian package, made by CPack from the install rules of the
# programs and of dist/linux; its dependencies come from the binaries themselves.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora maintainers")
set(CPACK_PACKAGE_CONTACT "Velmora maintainers <maintainers@users.noreply.c-seed-733e7acd.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.example/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[decoder of Russian arbitration court case numbers
Velmora decodes the case numbers of Russian arbitration courts. Type a number
such as А40-1234/08-101-503 and it names the court, the case's number and
year, and the division's telephones, hall and floor together with the
judicial composition's number, type and fax, all from a local SQLite
reference database that its second window maintains. The command
velmora-decode does the same for scripts and batch work.

Velmora расшифровывает номера дел арбитражных судов России. По номеру вида
А40-1234/08-101-503 программа называет суд, номер и год дела, телефоны,
зал и этаж отделения, номер, тип и факс судебного состава. Сведения берутся
из локального справочника SQLite, который ведётся во втором окне программы.
Команда velmora-decode делает то же в сценариях и пакетной обработке.]=])

include(CPack)
