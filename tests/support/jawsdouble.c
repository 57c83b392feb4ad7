/* Plays JAWS for the close protocol under Wine: its main window ("JFWUI2", "JAWS"), its braille
 * support window, a quit confirmation dialog ("#32770") on WM_CLOSE whose button ends it, and,
 * on request, an error or information dialog first. Prints each button press on stdout.
 *   --quit-title T   title of the quit dialog (default "Quit JAWS")
 *   --also-title T   a second quit dialog, shown with the first (its button ends JAWS too)
 *   --button B       the quit dialog's button text (default "OK")
 *   --first error|info  an "Erreur" or "JAWS for Windows" dialog open from the start
 *   --keep-braille MS   the braille window stays MS milliseconds after the main window went
 *   --refuse         WM_CLOSE shows nothing and closes nothing
 *   --hang MS        after showing the quit dialog, stops answering any message for MS ms
 *   --inactive       the quit dialog appears without becoming the active window, and its
 *                    button, as Windows documents for BM_CLICK, takes no mouse click then
 *   --stranger       plays another program instead: no JAWS window, only an "Erreur" dialog
 * Each start of JAWS adds a line "started folder:<working folder> std:<in>,<out>,<err>" (each
 * "none" or "some": whether that standard handle was given to it) to jawsdouble.log beside the
 * program, so a test can count the starts and see how the program was started.
 */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

static const wchar_t *quitTitle = L"Quit JAWS";
static const wchar_t *alsoTitle = NULL;
static const wchar_t *buttonText = L"OK";
static const wchar_t *firstDialog = NULL;
static int keepBrailleMs = 0;
static int refuse = 0;
static int hangMs = 0;
static int inactive = 0;
static int stranger = 0;
static HWND mainWindow, brailleWindow;
static WNDPROC buttonProc;

static const char *given(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    return handle && handle != INVALID_HANDLE_VALUE ? "some" : "none";
}

static WORD *aligned(WORD *p)
{
    return (WORD *)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
}

static WORD *putString(WORD *p, const wchar_t *text)
{
    size_t n = wcslen(text) + 1;
    memcpy(p, text, n * sizeof(WORD));
    return p + n;
}

static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        wchar_t title[256];
        GetWindowTextW(dialog, title, 256);
        printf("pressed:%ls\n", title);
        fflush(stdout);
        DestroyWindow(dialog);
        if (wcscmp(title, quitTitle) == 0 || (alsoTitle && wcscmp(title, alsoTitle) == 0))
            DestroyWindow(mainWindow);
        return TRUE;
    }
    return FALSE;
}

/* A button that, like a button of Windows, ignores the mouse while its dialog is not active. */
static LRESULT CALLBACK strictButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) && GetActiveWindow() != GetParent(button)) {
        if (message == WM_LBUTTONDOWN) {
            printf("click refused: dialog not active\n");
            fflush(stdout);
        }
        return 0;
    }
    return CallWindowProcW(buttonProc, button, message, wParam, lParam);
}

/* A modeless dialog built in memory: a title and one push button with id IDOK. */
static HWND showDialog(const wchar_t *title, const wchar_t *button, int activate)
{
    static WORD buffer[1024];
    WORD *p = buffer;
    DLGTEMPLATE *dialog = (DLGTEMPLATE *)p;
    memset(buffer, 0, sizeof buffer);
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | (activate ? WS_VISIBLE : 0);
    dialog->cdit = 1;
    dialog->cx = 160;
    dialog->cy = 60;
    p = (WORD *)(dialog + 1);
    *p++ = 0; /* no menu */
    *p++ = 0; /* the standard dialog class */
    p = putString(p, title);
    p = aligned(p);
    DLGITEMTEMPLATE *item = (DLGITEMTEMPLATE *)p;
    item->style = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON;
    item->x = 50;
    item->y = 30;
    item->cx = 60;
    item->cy = 14;
    item->id = IDOK;
    p = (WORD *)(item + 1);
    *p++ = 0xFFFF;
    *p++ = 0x0080; /* button */
    p = putString(p, button);
    *p++ = 0; /* no creation data */
    HWND shown = CreateDialogIndirectParamW(GetModuleHandleW(NULL), dialog, mainWindow, dialogProc, 0);
    if (shown && !activate) {
        HWND ok = GetDlgItem(shown, IDOK);
        buttonProc = (WNDPROC)SetWindowLongPtrW(ok, GWLP_WNDPROC, (LONG_PTR)strictButtonProc);
        ShowWindow(shown, SW_SHOWNOACTIVATE);
        if (mainWindow)
            SetActiveWindow(mainWindow);
    }
    return shown;
}

static LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        printf("closing\n");
        fflush(stdout);
        if (!refuse) {
            /* The second dialog first, so that both stand when the first one appears. */
            if (alsoTitle)
                showDialog(alsoTitle, L"OK", 1);
            showDialog(quitTitle, buttonText, !inactive);
        }
        if (hangMs > 0) {
            Sleep((DWORD)hangMs);
            printf("answering again\n");
            fflush(stdout);
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        if (keepBrailleMs > 0)
            SetTimer(brailleWindow, 1, (UINT)keepBrailleMs, NULL);
        else
            DestroyWindow(brailleWindow);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static LRESULT CALLBACK brailleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    (void)previous;
    (void)commandLine;
    (void)show;
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        if (!wcscmp(argv[i], L"--quit-title") && i + 1 < argc)
            quitTitle = argv[++i];
        else if (!wcscmp(argv[i], L"--also-title") && i + 1 < argc)
            alsoTitle = argv[++i];
        else if (!wcscmp(argv[i], L"--button") && i + 1 < argc)
            buttonText = argv[++i];
        else if (!wcscmp(argv[i], L"--first") && i + 1 < argc)
            firstDialog = !wcscmp(argv[++i], L"error") ? L"Erreur" : L"JAWS for Windows";
        else if (!wcscmp(argv[i], L"--keep-braille") && i + 1 < argc)
            keepBrailleMs = _wtoi(argv[++i]);
        else if (!wcscmp(argv[i], L"--refuse"))
            refuse = 1;
        else if (!wcscmp(argv[i], L"--hang") && i + 1 < argc)
            hangMs = _wtoi(argv[++i]);
        else if (!wcscmp(argv[i], L"--inactive"))
            inactive = 1;
        else if (!wcscmp(argv[i], L"--stranger"))
            stranger = 1;
    }
    if (stranger) {
        /* Another program's error dialog, owned by no JAWS window; it lives until it is pressed. */
        HWND dialog = showDialog(L"Erreur", L"OK", 1);
        printf("ready\n");
        fflush(stdout);
        MSG message;
        while (IsWindow(dialog) && GetMessageW(&message, NULL, 0, 0) > 0) {
            if (!IsDialogMessageW(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return 0;
    }
    wchar_t log[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, log, MAX_PATH);
    wchar_t *slash = wcsrchr(log, L'\\');
    if (length > 0 && length < MAX_PATH && slash && (size_t)(slash - log) + 16 < MAX_PATH) {
        wcscpy(slash + 1, L"jawsdouble.log");
        FILE *file = _wfopen(log, L"ab");
        if (file) {
            wchar_t folder[32768];
            char utf8[32768 * 3];
            DWORD folderLength = GetCurrentDirectoryW(32768, folder);
            int bytes = WideCharToMultiByte(CP_UTF8, 0, folder, (int)folderLength, utf8, (int)sizeof utf8 - 1, NULL, NULL);
            utf8[bytes > 0 ? bytes : 0] = 0;
            fprintf(file, "started folder:%s std:%s,%s,%s\n", utf8, given(STD_INPUT_HANDLE), given(STD_OUTPUT_HANDLE),
                    given(STD_ERROR_HANDLE));
            fclose(file);
        }
    }
    WNDCLASSW mainClass = { 0, mainProc, 0, 0, instance, NULL, NULL, NULL, NULL, L"JFWUI2" };
    WNDCLASSW brailleClass = { 0, brailleProc, 0, 0, instance, NULL, NULL, NULL, NULL, L"Freedom_Scientific_fsBraille" };
    RegisterClassW(&mainClass);
    RegisterClassW(&brailleClass);
    mainWindow = CreateWindowW(L"JFWUI2", L"JAWS", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL, instance, NULL);
    brailleWindow = CreateWindowW(L"Freedom_Scientific_fsBraille", L"Freedom_Scientific_fsBraille", WS_OVERLAPPED, 0, 0,
                                  10, 10, NULL, NULL, instance, NULL);
    if (firstDialog)
        showDialog(firstDialog, L"OK", 1);
    printf("ready\n");
    fflush(stdout);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
