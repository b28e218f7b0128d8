/*
 * Optional drawing functions of the system: GradientFill and AlphaBlend in
 * msimg32.dll, DrawShadowText in ComCtl32.dll (version 6, which the manifest
 * asks for).  They are never linked: the modules are held from start-up and
 * each user binds a function by name (LateImport) when it draws, with a
 * plain fallback when the query says the module is not held.
 */
#ifndef TAV_BASE_OPTIONAL_APIS_H
#define TAV_BASE_OPTIONAL_APIS_H

#include <windows.h>

// Holds msimg32.dll only when it has both AlphaBlend and GradientFill, and
// ComCtl32.dll only then and when it has DrawShadowText.  Call once, before
// anything is drawn.
void LoadOptionalApis();

// Frees each held module; both queries then report 0.
void FreeOptionalApis();

// 1 when msimg32.dll is held (AlphaBlend and GradientFill exist), else 0.
int HasAlphaGradient();

// 1 when ComCtl32.dll is held (DrawShadowText exists), else 0.
int HasShadowText();

// The held modules, for LateImport at the moment of drawing; null when
// the matching query reports 0.
HMODULE AlphaGradientModule();
HMODULE ShadowTextModule();

// LoadOptionalApis with other module names, so that tests can stand in a
// system that lacks a module or a function.
void LoadOptionalApisFrom(const char* alphaModule, const char* shadowModule);

#endif
