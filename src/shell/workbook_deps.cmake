# Workbook files (src/shell/workbook*): libxlsxwriter writes them, minizip opens them.
# Both use the one system minizip. QuaZip must stay out of any program linking
# libxlsxwriter: it exports minizip's function names with other meanings, and the
# dynamic linker then hands libxlsxwriter QuaZip's zipOpen (crash on every save).
# minizip links publicly: tst_workbook builds damaged archives with it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
target_link_libraries(torvelcore PRIVATE PkgConfig::XLSXWRITER)
target_link_libraries(torvelcore PUBLIC PkgConfig::MINIZIP)
