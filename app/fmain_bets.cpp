// Fmain's record of bets: the list the result column shows, recorded at
// once for an issue still to be drawn, and what each draw that arrives makes
// of the bets on its issue, said once in the status line.
#include "app/fmain.h"

#include "core/scheme.h"
#include "core/text.h"
#include "history/history_window.h"
#include "panel/result_list.h"
#include "panel/sheet.h"
#include "ui/factory.h"
#include "ui/modal.h"
#include "ui/settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {
const QString kHintTitle = QStringLiteral("温馨提示");
const QString kErrorTitle = QStringLiteral("错误提示");
}

void Fmain::buildBetTools()
{
    Controls &c = m_controls;
    // At the strip's end, beside the price a bet is recorded at.
    c.T_bet_issue = new QLineEdit(c.ToolStrip);
    c.T_bet_issue->setObjectName(QStringLiteral("T_bet_issue"));
    c.T_bet_issue->setPlaceholderText(QStringLiteral("期号"));
    c.T_bet_issue->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,12}")),
                                                                c.T_bet_issue));
    c.T_bet_issue->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("2026000")) + 12);
    c.T_bet_issue->setToolTip(QStringLiteral("这次投注的期号：最新开奖的下一期，可以改"));
    c.C_record_bet = make_strip_button(c.ToolStrip, QStringLiteral("C_record_bet"), QStringLiteral("记入投注"));
    c.C_record_bet->setToolTip(QStringLiteral("把结果列表中的号码记为这一期的投注，开奖后自动对奖"));
    c.ToolStrip->layout()->addWidget(c.T_bet_issue);
    c.ToolStrip->layout()->addWidget(c.C_record_bet);

    connect(c.C_record_bet, &QPushButton::clicked, this, [this] {
        m_controls.C_record_bet->setEnabled(false);
        recordBet();
        m_controls.C_record_bet->setEnabled(true);
    });
    // The draws that arrive at start-up or on demand.
    connect(&m_drawsUpdate, &DrawsUpdate::finished, this, &Fmain::tellBetResults);
    proposeBetIssue();
}

void Fmain::proposeBetIssue()
{
    QLineEdit *box = m_controls.T_bet_issue;
    const QList<StoredDraw> draws = m_drawStore.draws();
    const bool drawn = std::any_of(draws.begin(), draws.end(),
                                   [&box](const StoredDraw &draw) { return draw.issue == box->text(); });
    if (box->text().isEmpty() || drawn)
        box->setText(draws.isEmpty() ? QString() : next_issue(draws.constLast().issue, QDate::currentDate().year()));
}

void Fmain::recordBet()
{
    const QString issue = m_controls.T_bet_issue->text();
    if (issue.isEmpty()) {
        show_message(this, QStringLiteral("请先在“记入投注”旁填写这次投注的期号。"), kHintTitle);
        return;
    }
    Bet bet;
    bet.issue = issue;
    bet.kind = m_listKind;
    bet.price = bet_price();
    for_each_number(m_controls.Li_out->numbers(), 4, [&bet](int number) { bet.numbers.insert(number); });
    if (bet.count() == 0) {
        show_message(this, QStringLiteral("结果列表中没有号码，请先缩水。"), kHintTitle);
        return;
    }
    // The conditions the list came from; the sheet may have changed since.
    const QByteArray scheme = write_scheme(m_lastRun ? *m_lastRun : read_sheet_record(m_controls));
    switch (m_drawStore.recordBet(bet, scheme)) {
    case BetRecording::Recorded:
        m_controls.L_bet_result->setText(QStringLiteral("已记入 %1 期%2投注：%3 注，%4 元")
                                             .arg(issue, bet_kind_text(bet.kind))
                                             .arg(bet.count())
                                             .arg(bet.cost()));
        m_controls.L_bet_result->setToolTip(QString());
        if (m_history)
            m_history->showBets();
        break;
    case BetRecording::AlreadyDrawn:
        show_message(this, QStringLiteral("第 %1 期已经开奖，不能再记入投注。").arg(issue), kErrorTitle);
        proposeBetIssue();
        break;
    case BetRecording::AlreadyRecorded:
        show_message(this, QStringLiteral("第 %1 期已经记入过同样的%2号码。").arg(issue, bet_kind_text(bet.kind)),
                     kHintTitle);
        break;
    case BetRecording::NotStored:
        show_message(this, QStringLiteral("投注无法写入开奖数据库：\n%1").arg(m_drawStore.lastError()), kErrorTitle);
        break;
    }
}

void Fmain::tellBetResults()
{
    QStringList told;
    for (const StoredBet &stored : m_drawStore.takeUntoldResults())
        told.append(bet_told_text(stored.bet));
    if (!told.isEmpty()) {
        // Many at once end in an ellipsis; the tooltip lists them all.
        m_controls.L_bet_result->setText(told.join(QStringLiteral("；")));
        m_controls.L_bet_result->setToolTip(told.join(u'\n'));
    }
    proposeBetIssue();
}
