/*
 * The shortcut that starts the program at logon: a shell link in the
 * current user's Startup folder, written through the shell's link object
 * (IShellLinkA, saved through IPersistFile).
 */
#ifndef TAV_OPTIONS_STARTUP_SHORTCUT_H
#define TAV_OPTIONS_STARTUP_SHORTCUT_H

// Writes the shell link linkPath to target, with target's folder as the
// working folder (arguments, description, icon, show command and hot key
// left as the link object makes them).  The link is saved under a
// temporary name in the same folder and then put in place, so an existing
// file is replaced only by a complete new one and stays as it was when
// anything fails.  true when the link was written.
bool CreateShellLink(const char* target, const char* linkPath);

// CreateShellLink of linkName in the user's Startup folder (CSIDL_STARTUP)
// to programPath.  false when there is no Startup folder or the link could
// not be written.
bool CreateStartupShortcut(const char* programPath, const char* linkName);

#endif
