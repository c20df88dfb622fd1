// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "chartgeometry.h"
#include "commandbutton.h"
#include "designlayout.h"
#include "label.h"
#include "listbox.h"
#include "menuitem.h"
#include "numbertext.h"
#include "picturebox.h"
#include "rhythm.h"
#include "screen.h"
#include "textbox.h"
#include "tickcounter.h"
#include "vbcolor.h"
#include "verdict.h"
#include "viewsettings.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QStringList>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t PaleYellow = 0xDDFFFF;
constexpr std::uint32_t Silver = 0xC0C0C0;
constexpr std::uint32_t Green = 0x008000;
constexpr std::uint32_t LightGrey = 0xCCCCCC;
constexpr std::uint32_t Blue = 0xFF0000;

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString qs(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QString objectNameOf(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The field's text without a copy: the password is not left behind in freed memory.
std::u16string_view view(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

template <class Widget> void place(Widget *widget, const QString &objectName)
{
    widget->setObjectName(objectName);
    const auto placement = placementOf(objectName.toStdString());
    if (!placement)
        throw std::logic_error("control missing from the design layout");
    widget->Place(placement->left, placement->top, placement->width, placement->height);
}

// The last character of a text, both halves of a surrogate pair where it ends in one.
QString lastCharacter(const QString &text)
{
    if (text.isEmpty())
        return {};
    const qsizetype size = text.size();
    if (size >= 2 && text.at(size - 1).isLowSurrogate() && text.at(size - 2).isHighSurrogate())
        return text.right(2);
    return text.right(1);
}

} // namespace

Form1::Form1(TickCounter &counter, FrameSource frameSource, QWidget *parent)
    : Form(std::move(frameSource), parent), m_counter(counter),
      m_decimalSeparator(QLocale().decimalPoint().toStdString())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Anmelden:"));
    createControls();
    createMenu();
    connectHandlers();
    nameForAssistiveTechnology();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    QWidget *client = Client();
    const QFont font = Font(9.0, false);
    for (int i = 1; i <= 9; ++i) {
        const QString name = objectNameOf("lblBezeichnung", i);
        lblBezeichnung[i] = new Label(qs(placementOf(name.toStdString())->caption), client);
        place(lblBezeichnung[i], name);
    }

    for (int row = 0; row < 2; ++row) {
        txtPWD[row] = new TextBox(row, client);
        place(txtPWD[row], objectNameOf("txtPWD", row));
        txtPWD[row]->setMaxLength(Entry::MaxLength);
        txtPWD[row]->SetSecret(true);

        txtCount[row] = new TextBox(row, client);
        place(txtCount[row], objectNameOf("txtCount", row));
        txtTakt[row] = new TextBox(row, client);
        place(txtTakt[row], objectNameOf("txtTakt", row));
        txtPWDT[row] = new TextBox(row, client);
        place(txtPWDT[row], objectNameOf("txtPWDT", row));
        for (TextBox *display : {txtCount[row], txtTakt[row], txtPWDT[row]}) {
            display->setReadOnly(true);
            display->setMaxLength(Entry::MaxLength);
            display->SetBackColor(fromVbColor(PaleYellow));
        }
        txtCount[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        txtTakt[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        txtPWDT[row]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

        lstPWD[row] = new ListBox(client);
        place(lstPWD[row], objectNameOf("lstPWD", row));
        lstPWD[row]->SetBackColor(fromVbColor(PaleYellow));

        picPWD[row] = new PictureBox(PictureBox::Border::Sunken, PictureBox::Unit::Twip, client);
        place(picPWD[row], objectNameOf("picPWD", row));
        picPWD[row]->SetBackColor(fromVbColor(PaleYellow));
    }

    picOut = new PictureBox(PictureBox::Border::None, PictureBox::Unit::Pixel, client);
    place(picOut, QStringLiteral("picOut"));
    picOut->SetBackColor(fromVbColor(Silver));
    picOut->SetForeColor(fromVbColor(Green));

    cmdEnd = new CommandButton(qs(placementOf("cmdEnd")->caption), client);
    place(cmdEnd, QStringLiteral("cmdEnd"));
    cmdLogin = new CommandButton(qs(placementOf("cmdLogin")->caption), client);
    place(cmdLogin, QStringLiteral("cmdLogin"));
    cmdLogin->setDefault(true);

    const QList<QWidget *> controls = client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *control : controls)
        control->setFont(font);
    picOut->setFont(Font(9.75, true));

    // Tab order as designed; labels hold tab indexes too but never take the focus.
    std::vector<ControlPlacement> byTabIndex(designLayout().begin(), designLayout().end());
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const ControlPlacement &a, const ControlPlacement &b) { return a.tabIndex < b.tabIndex; });
    QWidget *previous = nullptr;
    for (const ControlPlacement &placement : byTabIndex) {
        auto *control = client->findChild<QWidget *>(QString::fromUtf8(
            placement.objectName.data(), static_cast<qsizetype>(placement.objectName.size())));
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    txtPWD[0]->setFocus();
}

void Form1::createMenu()
{
    QMenu *mnuAnsicht = AddMenu(QStringLiteral("Ansicht"));
    mnuAnsicht->setObjectName(QStringLiteral("mnuAnsicht"));
    mnuAnsicht->menuAction()->setObjectName(QStringLiteral("mnuAnsicht"));
    mnuNormal = new MenuItem(QStringLiteral("Normal"), mnuAnsicht);
    mnuNormal->setObjectName(QStringLiteral("mnuNormal"));
    mnuNormal->SetChecked(true);
    mnuErweitert = new MenuItem(QStringLiteral("Erweitert"), mnuAnsicht);
    mnuErweitert->setObjectName(QStringLiteral("mnuErweitert"));
    mnuAnsicht->addAction(mnuNormal);
    mnuAnsicht->addAction(mnuErweitert);
}

void Form1::connectHandlers()
{
    for (TextBox *field : txtPWD) {
        connect(field, &TextBox::Change, this, &Form1::txtPWD_Change);
        connect(field, &TextBox::KeyPress, this, &Form1::txtPWD_KeyPress);
        connect(field, &TextBox::LostFocus, this, &Form1::txtPWD_LostFocus);
    }
    connect(cmdLogin, &QPushButton::clicked, this, &Form1::cmdLogin_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &Form1::cmdEnd_Click);
    connect(mnuNormal, &QAction::triggered, this, &Form1::mnuNormal_Click);
    connect(mnuErweitert, &QAction::triggered, this, &Form1::mnuErweitert_Click);
}

QString Form1::currencyToText(Currency value) const
{
    return qs(currencyText(value, m_decimalSeparator));
}

void Form1::Form_Load()
{
    ResetEntry(0);
    ResetEntry(1);
    // Until the first change the button would keep its enabled design state, and two empty
    // fields would then be judged a correct login; decide it from the fields from the start.
    applyLoginRule();
    mnuNormal_Click();
    // Centred by its outer size: the frame the window manager is about to add counts too.
    Move(centredPosition(Screen::Width(), Width()), centredPosition(Screen::Height(), Height()));
}

void Form1::applyLoginRule()
{
    const bool enabled = txtPWD[0]->Text().size() > 4 && txtPWD[1]->Text().size() > 4;
    cmdLogin->SetEnabled(enabled);
    // A grey button alone does not say what it waits for.
    const QString reason =
        enabled
            ? QString()
            : QStringLiteral("Login ist m\u00f6glich, sobald beide Felder mindestens 5 Zeichen enthalten.");
    cmdLogin->setToolTip(reason);
    cmdLogin->setAccessibleDescription(reason);
}

void Form1::txtPWD_Change(int Index)
{
    // The counter is read first: what the handler does before stamping (the button's state and
    // what it tells screen readers) must not delay the stamp.
    const Currency stamp = Currency::fromRaw(m_counter.ticks());
    applyLoginRule();
    Entry &entry = m_entries.at(static_cast<std::size_t>(Index));
    const QString text = txtPWD[Index]->Text();
    if (text.isEmpty()) {
        ResetEntry(Index);
        return;
    }

    // A length the table has no slot for is never listed or drawn.
    if (!entry.change(view(text), stamp))
        return;

    const QString c = lastCharacter(text);
    const int n = entry.length();
    const Currency interval = n >= 2 ? entry.interval(n) : Currency();
    const KeystrokeMark mark = keystrokeMark(n, interval);
    PictureBox *chart = picPWD[Index];
    if (n == 1) {
        lstPWD[Index]->AddItem(c + QStringLiteral(": 0"));
    } else {
        lstPWD[Index]->AddItem(c + QStringLiteral(": ") + currencyToText(interval));
        chart->Line(mark.bar->left, mark.bar->bottom, mark.bar->right, mark.bar->top, PictureBox::Shape::Box);
    }
    chart->SetCurrentX(mark.labelX);
    chart->SetCurrentY(mark.labelY);
    chart->Print(c);
    describeChart(Index);
}

void Form1::txtPWD_KeyPress(int Index, int &KeyAscii)
{
    // Backspace starts the entry over: the whole field is emptied, which resets its row.
    if (KeyAscii == 8)
        txtPWD[Index]->SetText(QString());
}

void Form1::txtPWD_LostFocus(int Index)
{
    Entry &entry = m_entries.at(static_cast<std::size_t>(Index));
    if (!entry.analyse())
        return;
    txtCount[Index]->SetText(qs(integerText(entry.analysedLength())) + QStringLiteral(" Zeichen"));
    txtTakt[Index]->SetText(qs(doubleText(entry.threshold(), m_decimalSeparator)));
    PictureBox *chart = picPWD[Index];
    const auto lineHeight = static_cast<float>(entry.threshold());
    chart->Line(0, lineHeight, chart->ScaleWidth(), lineHeight, PictureBox::Shape::Line, fromVbColor(Blue));
    txtPWDT[Index]->SetText(qs(entry.rhythmCode()));
    describeChart(Index);
}

void Form1::cmdLogin_Click()
{
    picOut->Cls();
    picOut->SetDrawWidth(2);
    if (!m_entries[0].analysed())
        txtPWD_LostFocus(0);
    if (!m_entries[1].analysed())
        txtPWD_LostFocus(1);

    const bool success = loginSucceeds(m_entries[0], m_entries[1]);
    const Verdict verdict = verdictFor(success);
    // The design's green and red on the form's colour; a dark palette's form colour gets
    // lighter shades of them that read on it.
    const QColor colour = DesignColourOn(picOut->BackColor(), fromVbColor(verdict.colour));
    const QString message = qs(verdict.message);

    const VerdictPlacement placement =
        verdictPlacement(static_cast<float>(picOut->ScaleWidth()), static_cast<float>(picOut->ScaleHeight()),
                         static_cast<float>(picOut->TextWidth(message)),
                         static_cast<float>(picOut->TextHeight(QStringLiteral("Login"))));
    picOut->Line(placement.frameLeft, placement.frameTop, placement.frameRight, placement.frameBottom,
                 PictureBox::Shape::Box, colour);
    picOut->SetCurrentX(placement.textX);
    picOut->SetCurrentY(placement.textY);
    picOut->SetForeColor(colour);
    picOut->Print(message);
    describeVerdict(message);
}

void Form1::cmdEnd_Click()
{
    close();
}

void Form1::mnuNormal_Click()
{
    applyView(NormalView);
}

void Form1::mnuErweitert_Click()
{
    applyView(ExtendedView);
}

void Form1::applyView(const ViewSettings &view)
{
    mnuNormal->SetChecked(view.normalChecked);
    mnuErweitert->SetChecked(view.erweitertChecked);
    for (int i : {2, 3, 4, 5, 7, 8, 9})
        lblBezeichnung[i]->SetVisible(view.detailsVisible);
    for (int row = 0; row < 2; ++row) {
        txtCount[row]->SetVisible(view.detailsVisible);
        txtTakt[row]->SetVisible(view.detailsVisible);
        txtPWDT[row]->SetVisible(view.detailsVisible);
    }
    for (ListBox *list : lstPWD)
        list->SetVisible(view.detailsVisible);
    for (PictureBox *chart : picPWD)
        chart->SetVisible(view.detailsVisible);
    lblBezeichnung[1]->SetTop(view.lblBezeichnung1Top);
    txtPWD[1]->SetTop(view.txtPWD1Top);
    picOut->SetTop(view.picOutTop);
    cmdEnd->SetTop(view.cmdEndTop);
    cmdLogin->SetTop(view.cmdLoginTop);

    // The window keeps its top-left corner.
    SetClientSize(view.clientWidth, view.clientHeight);
}

void Form1::ResetEntry(int row)
{
    m_entries.at(static_cast<std::size_t>(row)).reset();
    lstPWD[row]->Clear();
    picPWD[row]->Cls();
    txtCount[row]->SetText(QString());
    txtTakt[row]->SetText(QString());
    txtPWDT[row]->SetText(QString());

    PictureBox *chart = picPWD[row];
    chart->Scale(0, 300, 16, 0);
    for (std::int16_t y = 300; y >= 100; y = static_cast<std::int16_t>(y - 100)) {
        const double width = chart->ScaleWidth();
        chart->Line(0, y, width, y, PictureBox::Shape::Line, fromVbColor(LightGrey));
        chart->SetCurrentX(0);
        chart->Print(qs(integerText(y)));
    }

    picOut->SetBackColor(BackColor());
    picOut->Cls();
    describeChart(row);
    describeVerdict(QString());
}

void Form1::nameForAssistiveTechnology()
{
    // Screen readers name each control by its caption; the second row's boxes say which row
    // they belong to, since their captions repeat the first row's.
    const QString repetition = QStringLiteral(" (Wiederholung)");
    const QString entry = QStringLiteral(" (Eingabe)");
    lblBezeichnung[6]->setBuddy(txtPWD[0]);
    lblBezeichnung[1]->setBuddy(txtPWD[1]);
    txtPWD[0]->setAccessibleName(lblBezeichnung[6]->text());
    txtPWD[1]->setAccessibleName(lblBezeichnung[1]->text());
    for (int row = 0; row < 2; ++row) {
        const QString suffix = row == 0 ? entry : repetition;
        txtCount[row]->setAccessibleName(lblBezeichnung[2]->text() + suffix);
        txtTakt[row]->setAccessibleName(lblBezeichnung[3]->text() + suffix);
        txtPWDT[row]->setAccessibleName(lblBezeichnung[4]->text() + suffix);
        lstPWD[row]->setAccessibleName(lblBezeichnung[5]->text() + suffix);
        picPWD[row]->setAccessibleName(QStringLiteral("Eingabetakt-Diagramm") + suffix);
    }
    picOut->setAccessibleName(QStringLiteral("Anmeldeergebnis"));
}

void Form1::describeChart(int row)
{
    // What the bars at positions 2 to the current length stand for, and the latest threshold.
    const Entry &entry = m_entries.at(static_cast<std::size_t>(row));
    QStringList bars;
    for (int n = 2; n <= entry.length() && n <= Entry::MaxLength; ++n)
        bars << currencyToText(entry.interval(n));
    QString description = bars.isEmpty() ? QStringLiteral("Keine Balken")
                                         : QStringLiteral("Balken (ms): ") + bars.join(QStringLiteral("; "));
    if (entry.analysed())
        description +=
            QStringLiteral(". Schwelle (ms): ") + qs(doubleText(entry.threshold(), m_decimalSeparator));
    if (picPWD[row]->accessibleDescription() == description)
        return;
    picPWD[row]->setAccessibleDescription(description);
    QAccessibleEvent changed(picPWD[row], QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void Form1::describeVerdict(const QString &message)
{
    if (picOut->accessibleDescription() == message)
        return;
    picOut->setAccessibleDescription(message);
    // Qt does not report the change by itself; screen readers announce it from this event.
    QAccessibleEvent changed(picOut, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void Form1::showEvent(QShowEvent *event)
{
    Form::showEvent(event);
    // The first field takes the typing from the start. In the browser the page's window is
    // active before the form is shown, and building the form moved the focus on; a focus given
    // before showing reached the page's text input only with the first key, 10 ms late.
    if (!m_shown) {
        m_shown = true;
        txtPWD[0]->setFocus();
    }
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Keys no control used arrive here. Enter is the window's: "Login" is its default button,
    // except on "Abbrechen", where Enter means that button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == cmdEnd)
            cmdEnd->click();
        else if (cmdLogin->Enabled())
            cmdLogin->click();
        event->accept();
        return;
    }
    Form::keyPressEvent(event);
}
