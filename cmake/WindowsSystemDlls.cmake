# The DLLs every Windows (7 and later) has in its system folder: those the program, Qt and the
# MinGW runtime import today. The package check refuses an import that is neither one of these
# nor shipped, and the launcher takes these from System32 alone: whoever adds one decides whether
# Windows really provides it.
set(IQO_WINDOWS_SYSTEM_DLLS
  advapi32 authz bcrypt comctl32 comdlg32 crypt32 d3d9 d3d11 d3d12 dwmapi dwrite dxgi gdi32 imm32
  iphlpapi kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 opengl32 secur32 setupapi shcore
  shell32 shlwapi user32 userenv uxtheme version winmm ws2_32 wtsapi32)
