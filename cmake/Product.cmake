# The product's own facts, fixed here once: the program, the about box and the help document
# take them from these variables. debian/ must repeat them as text (and the version of project()
# in its changelog); the test Packaging.DebianRepeatsProductFacts fails when they differ.
set(ZOLVERA_MAKER "Ervolt")
set(ZOLVERA_HOMEPAGE "https://ervolt.example/zolvera/")
set(ZOLVERA_MAIL "zolvera@ervolt.example")

include(GNUInstallDirs)
# Where an installed program finds its defaults (templates, help document), as a path relative
# to the folder of the program, so that the installation can be moved to another prefix.
set(ZOLVERA_DATADIR "${CMAKE_INSTALL_DATADIR}/zolvera")
cmake_path(RELATIVE_PATH ZOLVERA_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_BINDIR}"
           OUTPUT_VARIABLE ZOLVERA_DATADIR_FROM_BINDIR)
# The sizes of the program's icon in PNG, beside the SVG.
set(ZOLVERA_ICON_SIZES 16 22 24 32 48 64 128 256)
# The licence's copyright line and the id that ties the menu entry, the windows and the
# software centre's entry (AppStream) together: the maker's domain reversed.
set(ZOLVERA_COPYRIGHT_YEARS "2026")
set(ZOLVERA_APP_ID "example.ervolt.zolvera")
