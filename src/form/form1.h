// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"
#include "entry.h"
#include "form.h"

#include <array>
#include <string>

class CommandButton;
class Label;
class ListBox;
class MenuItem;
class PictureBox;
class TextBox;
class TickCounter;
struct ViewSettings;

// The login window. Each change of a password field is stamped with the tick counter, listed
// and charted; leaving a field reduces its stamps to a threshold and a rhythm code; "Login"
// compares both entries' texts and codes.
class Form1 : public Form
{
    Q_OBJECT

public:
    // The counter must outlive the form. The frame source tells the window system's frame, by
    // which the form centres itself before it is shown.
    explicit Form1(TickCounter &counter, FrameSource frameSource = {}, QWidget *parent = nullptr);
    ~Form1() override;

    // What each row holds: stamps, text and the latest analysis. Throws std::out_of_range for a
    // row other than 0 or 1.
    const Entry &entry(int row) const { return m_entries.at(static_cast<std::size_t>(row)); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createMenu();
    void connectHandlers();

    void Form_Load();
    void txtPWD_Change(int Index);
    void txtPWD_KeyPress(int Index, int &KeyAscii);
    void txtPWD_LostFocus(int Index);
    void cmdLogin_Click();
    void cmdEnd_Click();
    void mnuNormal_Click();
    void mnuErweitert_Click();
    void ResetEntry(int row);

    void applyLoginRule();
    void nameForAssistiveTechnology();
    void describeChart(int row);
    void describeVerdict(const QString &message);
    void applyView(const ViewSettings &view);
    QString currencyToText(Currency value) const;

    TickCounter &m_counter;
    std::array<Entry, 2> m_entries;
    std::string m_decimalSeparator;
    bool m_shown = false;

    std::array<TextBox *, 2> txtPWD{};
    std::array<TextBox *, 2> txtCount{};
    std::array<TextBox *, 2> txtTakt{};
    std::array<TextBox *, 2> txtPWDT{};
    std::array<ListBox *, 2> lstPWD{};
    std::array<PictureBox *, 2> picPWD{};
    std::array<Label *, 10> lblBezeichnung{}; // there is no index 0
    PictureBox *picOut = nullptr;
    CommandButton *cmdEnd = nullptr;
    CommandButton *cmdLogin = nullptr;
    MenuItem *mnuNormal = nullptr;
    MenuItem *mnuErweitert = nullptr;
};
