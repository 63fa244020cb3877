// The program's help: a short HTML page shown in a window of its own.
#include <QPointer>
#include <QTextBrowser>

#include "platform/user_qt.h"
#include "platform/user_testing.h"

namespace {

QPointer<QTextBrowser> g_help;

const char kHelpTitle[] = "Korvinsk. Address plan - Help";

const char kHelpHtml[] = R"(<html><body>
<h2>Korvinsk. Address plan</h2>
<p>The program shows the address plan of Korvinsk: the land and the sea, water, relief and green
areas, streets and roads with their names, and every building. It starts with the whole city;
everything else is a step into the detailed plan and can be stepped back.</p>

<h3>Moving over the plan</h3>
<table border="1" cellpadding="3" cellspacing="0">
<tr><td><b>+</b></td><td>zoom in two times about the centre</td></tr>
<tr><td><b>*</b></td><td>zoom in three times about the centre</td></tr>
<tr><td><b>-</b></td><td>zoom out a little</td></tr>
<tr><td><b>/</b></td><td>zoom out three times</td></tr>
<tr><td>Arrow keys</td><td>move the view by half its size</td></tr>
<tr><td>Page Up</td><td>back to the previous view</td></tr>
<tr><td>Home</td><td>the whole city</td></tr>
<tr><td>Ctrl + drag</td><td>zoom to the rectangle drawn</td></tr>
<tr><td>Shift + drag</td><td>move the plan with the mouse</td></tr>
<tr><td>Ctrl + right click</td><td>back to the previous view</td></tr>
<tr><td>the <b>/ ?</b> key, held</td><td>the locator: the whole city with the current view marked</td></tr>
</table>
<p>The keys <b>+ * - /</b> work on the main keyboard and on the keypad alike. View &gt;
"Instruments" shows a palette with the same tools for the mouse: information, zoom out at a
point, zoom rectangle and pan, and a button for the street search.</p>

<h3>What is where</h3>
<p>A left click on a building opens its information: address, district and part of the city,
number of floors, purpose, and the objects registered at its address. Holding the left button on
a street shows its name; on open ground, the district. A right click writes the name of the
street under the cursor on the plan.</p>

<h3>Finding</h3>
<ul>
<li><b>Find &gt; Street, house (F2)</b>: type the beginning of a street name, pick a house and
press "Show". With "Form list" several houses are collected and shown together.</li>
<li><b>Find &gt; District (F3)</b> and <b>Part of the city (F4)</b>: pick a name and press
"Show"; its name (and outline) appears on the plan for two seconds.</li>
<li><b>Find &gt; Object (F5)</b>: objects with an address, by theme, name, street, district or
part of the city. "List" searches, "Show" marks the buildings of the chosen results.</li>
</ul>

<h3>Measuring</h3>
<p><b>Measurements &gt; Coordinates</b> shows latitude and longitude under the mouse.
<b>Measurements &gt; Measurements</b> measures a line clicked point by point, "on lines" where you
click or "on streets" along the streets; the window shows the current length, the total length
and the area enclosed. A right click offers to cancel the last point or the whole measurement;
Escape closes the tool.</p>

<h3>View and print</h3>
<p>The View menu switches the display: "Graphic", "Flat", "3D" with several kinds of windows, and
"Night". "Layers ..." chooses whether street names, buildings and house numbers are shown: none,
all, or a selection by the scale. "Color buildings" colours buildings by their purpose.
<b>Print</b> prints the visible plan on one page, black and white or in colour.</p>
</body></html>)";

}  // namespace

BOOL WinHelpA(HWND, LPCSTR, UINT command, ULONG_PTR) {
    if (command == HELP_QUIT) {
        delete g_help.data();
        return TRUE;
    }
    if (command != HELP_CONTENTS && command != HELP_FINDER && command != HELP_CONTEXT) return FALSE;
    EnsureApplication();
    if (!g_help) {
        g_help = new QTextBrowser();
        g_help->setAttribute(Qt::WA_DeleteOnClose, false);
        g_help->setWindowTitle(QString::fromLatin1(kHelpTitle));
        g_help->setHtml(QString::fromUtf8(kHelpHtml));
        g_help->resize(640, 560);
    }
    g_help->show();
    g_help->raise();
    g_help->activateWindow();
    return TRUE;
}

bool IsHelpWindowOpen() { return g_help && g_help->isVisible(); }

std::string HelpWindowTitleUtf8() { return g_help ? g_help->windowTitle().toStdString() : std::string(); }
