// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "commandbutton.h"
#include "form1.h"
#include "listbox.h"
#include "manualtickcounter.h"
#include "menuitem.h"
#include "picturebox.h"
#include "textbox.h"

#include <QStringList>
#include <QTest>

#include <memory>
#include <vector>

// Keeps what a picture box reports it drew.
class DrawLog
{
public:
    void attach(PictureBox *box)
    {
        m_box = box;
        box->setDrawObserver([this](const PictureBox::DrawCall &call) { m_calls.push_back(call); });
    }
    PictureBox *box() const { return m_box; }
    const std::vector<PictureBox::DrawCall> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

    std::vector<PictureBox::DrawCall> ofKind(PictureBox::DrawCall::Kind kind) const
    {
        std::vector<PictureBox::DrawCall> found;
        for (const auto &call : m_calls) {
            if (call.kind == kind)
                found.push_back(call);
        }
        return found;
    }

private:
    PictureBox *m_box = nullptr;
    std::vector<PictureBox::DrawCall> m_calls;
};

// A loaded login window on a hand-set clock, with its controls found by name.
struct FormHarness
{
    ManualTickCounter clock;
    std::unique_ptr<Form1> form;

    FormHarness()
    {
        clock.set(1'000'000'000); // 100,000 ms after the counter's origin
        form = std::make_unique<Form1>(clock);
    }

    template <class T = QWidget> T *control(const char *name) const
    {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    TextBox *field(int row) const { return control<TextBox>(row == 0 ? "txtPWD(0)" : "txtPWD(1)"); }
    TextBox *display(const char *kind, int row) const
    {
        return control<TextBox>(
            QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(row).toLatin1().constData());
    }
    ListBox *list(int row) const { return control<ListBox>(row == 0 ? "lstPWD(0)" : "lstPWD(1)"); }
    PictureBox *chart(int row) const { return control<PictureBox>(row == 0 ? "picPWD(0)" : "picPWD(1)"); }
    PictureBox *verdictBox() const { return control<PictureBox>("picOut"); }
    CommandButton *login() const { return control<CommandButton>("cmdLogin"); }
    MenuItem *menuItem(const char *name) const { return control<MenuItem>(name); }

    QStringList lines(int row) const
    {
        QStringList result;
        for (int i = 0; i < list(row)->ListCount(); ++i)
            result << list(row)->List(i);
        return result;
    }

    // Types one character after the given gap in milliseconds.
    void typeAfter(int row, QChar character, int gapMs)
    {
        clock.advanceMs(gapMs);
        QTest::keyClick(field(row), character.toLatin1());
    }

    // Types text with the given gaps before each character after the first.
    void typeRhythm(int row, const QString &text, const std::vector<int> &gapsMs)
    {
        for (qsizetype i = 0; i < text.size(); ++i)
            typeAfter(row, text.at(i), i == 0 ? 1000 : gapsMs.at(static_cast<std::size_t>(i - 1)));
    }

    // Counts pixels of exactly this colour in a box's drawing.
    static int countPixels(PictureBox *box, const QColor &colour)
    {
        const QImage &image = box->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y).rgb() == colour.rgb())
                    ++count;
            }
        }
        return count;
    }
};
