// Symbol export rules shared by every package.
//
// Everything is built with -fvisibility=hidden; what another package or a host may bind is marked
// on purpose. C++ classes that other packages of the system link against carry ZELT_EXPORT;
// operations a host binds by name are extern "C" with C types (ZELT_C_EXPORT).
#pragma once

#define ZELT_EXPORT __attribute__((visibility("default")))

#ifdef __cplusplus
#define ZELT_C_EXPORT extern "C" ZELT_EXPORT
#else
#define ZELT_C_EXPORT ZELT_EXPORT
#endif

// Publishes a second symbol name for an extern "C" function already defined in this translation
// unit: hosts look an operation up either by its plain name or as "<unit>.<operation>". The dot
// cannot appear in a C identifier, hence the assembler name.
//   ZELT_QUALIFIED_ALIAS(bool, AbreCupom, "UEcfPlugDaruma.AbreCupom", (const char* cpf))
#define ZELT_QUALIFIED_ALIAS(ret, plain, qualified, params)                                        \
    extern "C" ZELT_EXPORT ret zelt_alias_##plain params __asm__(qualified)                        \
        __attribute__((alias(#plain)))
