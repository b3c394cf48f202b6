# SDL's pkg-config file for Windows renames main to SDL_main and links its own WinMain and the
# GUI subsystem into everything. Our programs keep a plain main, which MinGW's start-up calls in
# either subsystem; the two games choose the GUI subsystem themselves (WIN32_EXECUTABLE), and the
# tests and tools stay console programs.
get_target_property(_sdl_options PkgConfig::SDL2 INTERFACE_COMPILE_OPTIONS)
list(REMOVE_ITEM _sdl_options -Dmain=SDL_main)
set_target_properties(PkgConfig::SDL2 PROPERTIES INTERFACE_COMPILE_OPTIONS "${_sdl_options}")

get_target_property(_sdl_link_options PkgConfig::SDL2 INTERFACE_LINK_OPTIONS)
list(REMOVE_ITEM _sdl_link_options -mwindows)
set_target_properties(PkgConfig::SDL2 PROPERTIES INTERFACE_LINK_OPTIONS "${_sdl_link_options}")

get_target_property(_sdl_libraries PkgConfig::SDL2 INTERFACE_LINK_LIBRARIES)
list(FILTER _sdl_libraries EXCLUDE REGEX "SDL2main")
set_target_properties(PkgConfig::SDL2 PROPERTIES INTERFACE_LINK_LIBRARIES "${_sdl_libraries}")
