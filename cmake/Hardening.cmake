# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckPIESupported)

# Adds the toolchain's hardening to the INTERFACE library `target`, so that every target linking
# it is built with it.
function(taktlogin_enable_hardening target)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        return()
    endif()

    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON PARENT_SCOPE)

    if(WIN32)
        # MinGW's linker: address space layout randomisation with 64-bit entropy and DEP.
        target_link_options(${target} INTERFACE
            LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat)
        return()
    endif()

    # Level 3 needs __builtin_dynamic_object_size (GCC 12, clang 9); glibc falls back to the
    # checks it has. Fortification needs optimisation, so Debug builds go without it.
    check_cxx_source_compiles([=[
        #if !defined(__has_builtin) || !__has_builtin(__builtin_dynamic_object_size)
        #error no dynamic object size
        #endif
        int main() { return 0; }]=] TAKTLOGIN_HAVE_DYNAMIC_OBJECT_SIZE)
    set(fortify_level 2)
    if(TAKTLOGIN_HAVE_DYNAMIC_OBJECT_SIZE)
        set(fortify_level 3)
    endif()
    target_compile_options(${target} INTERFACE
        $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=${fortify_level}>)

    target_compile_options(${target} INTERFACE -fstack-protector-strong)
    foreach(flag -fstack-clash-protection -fcf-protection)
        string(MAKE_C_IDENTIFIER "TAKTLOGIN_HAS${flag}" result)
        check_cxx_compiler_flag(${flag} ${result})
        if(${result})
            target_compile_options(${target} INTERFACE ${flag})
        endif()
    endforeach()
    target_link_options(${target} INTERFACE LINKER:-z,relro LINKER:-z,now)
endfunction()
