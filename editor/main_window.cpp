#include "editor/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>

#include "dialogs/qtext.h"
#include "editor/clipboard_commands.h"
#include "editor/compose_commands.h"
#include "editor/decode_commands.h"
#include "editor/file_commands.h"
#include "editor/find_commands.h"
#include "editor/fonts.h"
#include "editor/menu_captions.h"
#include "editor/message_box_seam.h"
#include "editor/say_view.h"
#include "editor/selection_commands.h"
#include "editor/shift_commands.h"
#include "editor/suggest_commands.h"
#include "editor/transfer_commands.h"
#include "editor/view_commands.h"
#include "editor/view_settings.h"

namespace tekvo {
namespace {

// The designed layout, in twips.
constexpr int kClientWidth = 11475;
constexpr int kClientHeight = 7635;
constexpr QRect kSayRect(180, 100, 2940, 500);
constexpr int kButtonTop = 150;
constexpr int kButtonWidth = 1230;
constexpr int kButtonHeight = 360;
constexpr int kUdLeft[] = {3240, 4500, 5760, 7020};
constexpr int kSeekLeft[] = {8610, 9870};
constexpr int kBoxLeft = 100;
constexpr int kBoxTop = 650;
constexpr int kBoxWidth = 11250;
constexpr int kBoxHeight = 6870;
constexpr int kBoxMargin = 100;
// The least of the box the window may be shrunk to: a few lines.
constexpr int kLeastBoxHeight = 1200;

QRect PixelRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

QString Q(captions::Caption caption) { return ToQString(Text(caption)); }

}  // namespace

MainWindow::MainWindow(std::unique_ptr<Seam> seam, std::unique_ptr<Clipboard> clipboard,
                       QWidget* parent)
    : QMainWindow(parent), seam_(std::move(seam)), clipboard_(std::move(clipboard)) {
  if (!seam_) seam_ = std::make_unique<MessageBoxSeam>(this);
  if (!clipboard_) clipboard_ = std::make_unique<SystemClipboard>();
  setObjectName(QStringLiteral("frmA"));
  setFont(FontWithCjkFallback(QString::fromUtf16(kDesignedFontName), kDesignedWindowFontSize));

  BuildControls();
  box_ = std::make_unique<TextBox>(*edit_, *clipboard_);
  say_ = std::make_unique<SayLabel>(say_view_);
  history_ = std::make_unique<History>(*box_, *say_, *seam_);
  menus_ = BuildMenuBar(*menuBar());
  dialogs_ = std::make_unique<DialogSet>(this, *seam_);
  ctx_ = std::make_unique<EditorContext>(*box_, *say_, *history_, *seam_, *clipboard_, menus_,
                                         *dialogs_);
  ctx_->SetCaptionHook([this](const Text& caption) { setWindowTitle(ToQString(caption)); });
  setWindowTitle(QString::fromUtf16(kWindowTitle));

  // Form_Load: the view settings, then the history holding the empty
  // original alone.
  if (auto store = OpenSettingsStore()) ApplyView(*box_, LoadViewSettings(*store));
  history_->SetButtonsHook([this](int index, bool enabled) {
    if (index >= 0 && index < static_cast<int>(cmdUd_.size())) cmdUd_[index]->setEnabled(enabled);
  });
  history_->UpdateStepButtons();

  WireMenus();
  WireBox();
  resize(TwipsToPixels(kClientWidth),
         TwipsToPixels(kClientHeight) + menuBar()->sizeHint().height());
  // Only the box follows the window, so a smaller window would cut off the
  // buttons, and a narrower menu bar folds its last menus away: every control
  // stays reachable.
  const int least_width = std::max(TwipsToPixels(kSeekLeft[1] + kButtonWidth + kBoxMargin),
                                   menuBar()->sizeHint().width());
  setMinimumSize(least_width, TwipsToPixels(kBoxTop + kLeastBoxHeight + kBoxMargin) +
                                  menuBar()->sizeHint().height());
  edit_->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  setCentralWidget(client_);
  client_->installEventFilter(this);

  const QFont big =
      FontWithCjkFallback(QString::fromUtf16(kDesignedFontName), kDesignedBoxFontSize);
  say_view_ = new SayView(client_);
  say_view_->setObjectName(QStringLiteral("lblSay"));
  say_view_->setGeometry(
      PixelRect(kSayRect.x(), kSayRect.y(), kSayRect.width(), kSayRect.height()));
  say_view_->setFont(big);

  for (int i = 0; i < 4; ++i) {
    cmdUd_[i] = new QPushButton(Q(captions::kUd[i]), client_);
    cmdUd_[i]->setObjectName(QStringLiteral("cmdUd_%1").arg(i));
    cmdUd_[i]->setGeometry(PixelRect(kUdLeft[i], kButtonTop, kButtonWidth, kButtonHeight));
  }
  for (int i = 0; i < 2; ++i) {
    cmdSeek_[i] = new QPushButton(Q(captions::kSeek[i]), client_);
    cmdSeek_[i]->setObjectName(QStringLiteral("cmdSeek_%1").arg(i));
    cmdSeek_[i]->setGeometry(PixelRect(kSeekLeft[i], kButtonTop, kButtonWidth, kButtonHeight));
  }

  edit_ = new BoxEdit(client_);
  edit_->setObjectName(QStringLiteral("txtA"));
  edit_->setGeometry(PixelRect(kBoxLeft, kBoxTop, kBoxWidth, kBoxHeight));
  edit_->setFont(big);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Base, QColor(232, 232, 232));
  palette.setColor(QPalette::Text, Qt::black);
  // The selection stays visible while the buttons have the focus (found
  // text is shown as the selection).
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  edit_->setPalette(palette);
}

void MainWindow::WireMenus() {
  EditorContext& ctx = *ctx_;
  Menus& m = menus_;
  auto on = [this](QAction* action, auto handler) {
    if (action != nullptr && !action->isSeparator()) {
      connect(action, &QAction::triggered, this, handler);
    }
  };
  auto on_each = [&](auto& items, auto handler) {
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      on(items[i], [&ctx, handler, i] { handler(ctx, i); });
    }
  };

  connect(m.mnuFiles, &QMenu::aboutToShow, this, [&ctx] { mnuFiles_Click(ctx); });
  on(m.mnuClear, [&ctx] { mnuClear_Click(ctx); });
  on(m.mnuOpen, [&ctx] { mnuOpen_Click(ctx); });
  on(m.mnuSave, [&ctx] { mnuSave_Click(ctx); });
  on(m.mnuAttr, [&ctx] { mnuAttr_Click(ctx); });
  on(m.mnuNewWin, [this] { mnuNewWin_Click(*box_); });

  connect(m.mnuEdits, &QMenu::aboutToShow, this, [&ctx] { mnuEdits_Click(ctx); });
  on(m.mnuPasteOrig, [&ctx] { mnuPasteOrig_Click(ctx); });
  on(m.mnuASel, [&ctx] { mnuASel_Click(ctx); });
  on(m.mnuCopy, [&ctx] { mnuCopy_Click(ctx); });
  on(m.mnuPaste, [&ctx] { mnuPaste_Click(ctx); });
  on_each(m.mnuWnCase, mnuWnCase_Click);
  on_each(m.mnuMake, mnuMake_Click);
  on(m.mnuSeekNew, [&ctx] { mnuSeekNew_Click(ctx); });
  on(m.mnuReplace, [&ctx] { mnuReplace_Click(ctx); });
  on(m.mnuSayCode, [&ctx] { mnuSayCode_Click(ctx); });
  on_each(m.mnuIns, mnuIns_Click);

  on_each(m.mnuNumU, mnuNumU_Click);
  on_each(m.mnuReadQp, mnuReadQp_Click);
  on_each(m.mnuBase64, mnuBase64_Click);
  on_each(m.mnuJieA, mnuJieA_Click);
  on(m.mnuAskJieA, [&ctx] { mnuAskJieA_Click(ctx); });

  on_each(m.mnuChgA2B, mnuChgA2B_Click);
  on_each(m.mnuAskA2B, mnuAskA2B_Click);
  on(m.mnuSuggest, [&ctx] { mnuSuggest_Click(ctx); });

  on_each(m.mnuCutaByte, mnuCutaByte_Click);
  on(m.mnuAskCutaByte, [&ctx] { mnuAskCutaByte_Click(ctx); });
  on_each(m.mnu2022, mnu2022_Click);

  connect(m.mnuLooks, &QMenu::aboutToShow, this, [this] { mnuLooks_Click(*box_, menus_); });
  on(m.mnuHScr, [this] { mnuHScr_Click(*box_); });
  for (int i = 0; i < static_cast<int>(m.mnuFont.size()); ++i) {
    on(m.mnuFont[i], [this, i] { mnuFont_Click(*box_, i); });
  }
  for (int i = 0; i < static_cast<int>(m.mnuSize.size()); ++i) {
    on(m.mnuSize[i], [this, i] { mnuSize_Click(*box_, i); });
  }
  on(m.mnuAbout, [this] { mnuAbout_Click(*seam_); });

  for (int i = 0; i < static_cast<int>(cmdUd_.size()); ++i) {
    connect(cmdUd_[i], &QPushButton::clicked, this, [this, i] { history_->cmdUd_Click(i); });
  }
  for (int i = 0; i < static_cast<int>(cmdSeek_.size()); ++i) {
    connect(cmdSeek_[i], &QPushButton::clicked, this, [&ctx, i] { cmdSeek_Click(ctx, i); });
  }
}

void MainWindow::WireBox() {
  connect(edit_, &BoxEdit::keyPressed, this,
          [this](int key, Qt::KeyboardModifiers modifiers, bool auto_repeat) {
            keys_.Press(key, modifiers, auto_repeat);
          });
  connect(edit_, &BoxEdit::keyReleased, this,
          [this](int key, Qt::KeyboardModifiers modifiers, bool auto_repeat) {
            // A held key repeats its presses; it acts once, when let go.
            if (auto_repeat) return;
            txtA_KeyUp(*ctx_, key, keys_.Release(key, modifiers));
          });
  connect(edit_, &BoxEdit::mouseReleased, this, [this](Qt::MouseButton button, QPoint position) {
    txtA_MouseUp(*ctx_, button, position);
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    Form_Resize(static_cast<QResizeEvent*>(event)->size());
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Form_Resize(QSize client) {
  // A client area smaller than the margins (or a minimised window) leaves
  // the box as it was in that direction.
  QRect rect = edit_->geometry();
  const int width = client.width() * 15 - 2 * kBoxMargin;
  if (width > 0) rect.setWidth(TwipsToPixels(width));
  const int height = client.height() * 15 - kBoxTop - kBoxMargin;
  if (height > 0) rect.setHeight(TwipsToPixels(height));
  edit_->setGeometry(rect);
}

void MainWindow::SaveView() {
  if (auto store = OpenSettingsStore()) SaveViewSettings(*store, CurrentView(*box_));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!history_->ConfirmDiscard()) {
    event->ignore();
    return;
  }
  dialogs_->CloseAll();
  SaveView();
  event->accept();
}

}  // namespace tekvo
