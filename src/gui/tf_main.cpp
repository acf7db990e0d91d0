#include "gui/tf_main.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QSplitter>
#include <QTabBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/option_events.h"
#include "app/subtitle_selector.h"
#include "gui/about_text.h"
#include "gui/closed_combo_box.h"
#include "gui/image_view.h"
#include "gui/key_filter.h"
#include "gui/log_view.h"
#include "gui/option_groups.h"
#include "gui/page_control.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "app/stream_loading.h"

namespace {
constexpr int kSpacing = 6;
constexpr int kMargin = 8;

// Widths that fit what a box holds, in the window's font.
int digitsWidth(const QWidget* w, int digits) {
  return w->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 16;
}

QHBoxLayout* row(int spacing = kSpacing) {
  auto* l = new QHBoxLayout;
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(spacing);
  return l;
}
}  // namespace

TfMain::TfMain(std::vector<std::string> args, std::string programFolder, QWidget* parent)
    : QMainWindow(parent), host_(*this), app_(host_), args_(std::move(args)), programFolder_(std::move(programFolder)) {
  app_.ui.mAbout.lines = aboutLines();
  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin - 2);
  layout->setSpacing(kSpacing);
  layout->addWidget(buildFileRow());

  PageControl_ = new PageControl;
  PageControl_->addTab(buildStatusPage(), toQt(app_.ui.PageControl.pages[pgStatus]));
  PageControl_->addTab(buildSrtPage(), toQt(app_.ui.PageControl.pages[pgSRT]));
  PageControl_->addTab(buildImagePage(), toQt(app_.ui.PageControl.pages[pgImage]));
  PageControl_->addTab(buildOptionsPage(), toQt(app_.ui.PageControl.pages[pgOptions]));
  PageControl_->addTab(buildAboutPage(), toQt(app_.ui.PageControl.pages[pgAbout]));
  // A long operation disables the page control so that no other page's command runs in the
  // middle of it; the log on the "Status" page stays readable and scrollable meanwhile.
  mirrors_.push_back([this] {
    const TPageControl& pc = app_.ui.PageControl;
    PageControl_->setCurrentIndex(pc.activePage);
    PageControl_->tabBar()->setEnabled(pc.enabled);
    for (int i = 0; i < PageControl_->count(); ++i)
      if (i != pgStatus) PageControl_->widget(i)->setEnabled(pc.enabled);
  });
  connect(PageControl_, &QTabWidget::currentChanged, this, [this](int i) {
    if (!takesInput()) return;
    app_.ui.PageControl.activePage = i;
    changed(PageControl_);
  });
  layout->addWidget(PageControl_, 1);
  layout->addWidget(buildBottomRow());
  outer->addWidget(content, 1);
  StatusBar_ = new StatusPanels;
  outer->addWidget(StatusBar_);
  setCentralWidget(central);

  resize(app_.ui.window.width, app_.ui.window.height);
  nameWidgets();
  wireCommands();
  mirror();
}

TfMain::~TfMain() {
  // The widgets are destroyed after this object's own parts: their last signals and events (a
  // box that loses the focus as it goes) must not reach it.
  for (QObject* child : findChildren<QObject*>()) {
    QObject::disconnect(child, nullptr, this, nullptr);
    child->removeEventFilter(this);
  }
}

void TfMain::nameWidgets() {
  const std::pair<QObject*, const char*> names[] = {
      {eSUPfile_, "eSUPfile"}, {bReadSUP_, "bReadSUP"}, {bbSUP_, "bbSUP"},   {PageControl_, "PageControl"},
      {cbAutoClear_, "cbAutoClear"}, {bClear_, "bClear"}, {Button1_, "Button1"}, {reMessage_, "reMessage"}, {lSRTfile_, "lSRTfile"},
      {mSRT_, "mSRT"}, {bSaveSRT_, "bSaveSRT"}, {bOpenSRT_, "bOpenSRT"}, {spImage_, "spImage"},
      {sbImage_, "sbImage"}, {Image_, "Image"}, {pSub_, "pSub"}, {lStartEnd_, "lStartEnd"}, {lArea_, "lArea"},
      {lArea2_, "lArea2"}, {lMaxline_, "lMaxline"}, {ieSubs_, "ieSubs"}, {udSubsUp_, "udSubsUp"},
      {udSubsDown_, "udSubsDown"}, {mSubtext_, "mSubtext"}, {cbLock_, "cbLock"}, {rgFont_, "rgFont"},
      {bOCR_, "bOCR"}, {bPrev_, "bPrev"}, {bNext_, "bNext"}, {bbBackground_, "bbBackground"},
      {bbWorkdir_, "bbWorkdir"}, {mAbout_, "mAbout"}, {bSaveBMP_, "bSaveBMP"}, {bOCRall_, "bOCRall"},
      {WebLink_, "WebLink"}, {ProgressBar_, "ProgressBar"}, {bCancel_, "bCancel"}, {bExport_, "bExport"},
      {StatusBar_, "StatusBar"}};
  for (const auto& [widget, name] : names) widget->setObjectName(QString::fromLatin1(name));
}

// ---- Binding widgets to the controls model ----

void TfMain::bindControl(QWidget* widget, const TControl& model) {
  if (!model.hint.empty()) widget->setToolTip(toQt(model.hint));
  mirrors_.push_back([widget, &model] {
    widget->setEnabled(model.enabled);
    if (widget->isVisibleTo(widget->parentWidget()) != model.visible) widget->setVisible(model.visible);
  });
}

void TfMain::on(QObject* widget, Command command) { handlers_[widget] = std::move(command); }

void TfMain::onExit(QObject* widget, Command command) {
  exitHandlers_[widget] = std::move(command);
  widget->installEventFilter(this);
}

void TfMain::onOption(QObject* widget, const char* setting) {
  if (!setting) return;
  // Option widgets carry their stored name.
  widget->setObjectName(QString::fromLatin1(setting));
  const std::string name = setting;
  on(widget, [name](App& app) { optionChanged(app, name); });
}

bool TfMain::takesInput() {
  if (mirroring_) return false;
  if (!app_.busy) return true;
  mirror();
  return false;
}

void TfMain::changed(QObject* widget) {
  const auto it = handlers_.find(widget);
  if (it != handlers_.end()) run(it->second);
  else mirror();
}

bool TfMain::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if ((t == QEvent::DragEnter || t == QEvent::DragMove || t == QEvent::Drop) && watched != this &&
      static_cast<QDropEvent*>(event)->mimeData()->hasUrls())
    return fileDragEvent(event);
  if (event->type() == QEvent::FocusOut && !mirroring_) {
    const auto it = exitHandlers_.find(watched);
    if (it != exitHandlers_.end()) run(it->second);
  }
  return QMainWindow::eventFilter(watched, event);
}

QPushButton* TfMain::button(TButton& model) {
  auto* b = new QPushButton(toQt(model.caption));
  bindControl(b, model);
  connect(b, &QPushButton::clicked, this, [this, b] { changed(b); });
  return b;
}

QToolButton* TfMain::browseButton(TButton& model, const QString& hint) {
  auto* b = new QToolButton;
  b->setText(QStringLiteral("..."));
  bindControl(b, model);
  if (model.hint.empty()) b->setToolTip(hint);
  connect(b, &QToolButton::clicked, this, [this, b] { changed(b); });
  return b;
}

QCheckBox* TfMain::checkBox(TCheckBox& model, const char* setting) {
  auto* c = new QCheckBox(toQt(model.caption));
  bindControl(c, model);
  mirrors_.push_back([c, &model] { c->setChecked(model.checked); });
  connect(c, &QCheckBox::clicked, this, [this, c, &model](bool checked) {
    if (!takesInput()) return;
    model.checked = checked;
    changed(c);
  });
  onOption(c, setting);
  return c;
}

QLineEdit* TfMain::pathEdit(TEdit& model, const char* setting) {
  auto* e = new QLineEdit;
  bindControl(e, model);
  mirrors_.push_back([e, &model] {
    const QString text = pathToQt(model.text);
    if (e->text() != text) e->setText(text);
  });
  connect(e, &QLineEdit::textEdited, this, [this, e, &model](const QString& text) {
    if (!takesInput()) return;
    model.text = pathFromQt(text);
    changed(e);
  });
  onOption(e, setting);
  return e;
}

QLineEdit* TfMain::intEdit(TIntEdit& model, const char* setting, KeyFilter** filter) {
  auto* e = new QLineEdit;
  bindControl(e, model);
  if (model.maxLength > 0) e->setMaxLength(model.maxLength);
  e->setFixedWidth(digitsWidth(e, model.maxLength > 0 ? std::max(model.maxLength, 2) : 5));
  e->setAlignment(Qt::AlignRight);
  auto* keys = new KeyFilter(&TIntEdit::acceptsKey, host_, e);
  e->installEventFilter(keys);
  if (filter) *filter = keys;
  mirrors_.push_back([e, &model] {
    const QString text = toQt(model.text);
    if (e->text() != text) e->setText(text);
  });
  // An option's change handling (its range, what derives from it) runs when the edit is done,
  // on Enter or when the box is left, not on each key; the subtitle selector draws at once.
  connect(e, &QLineEdit::textEdited, this, [this, e, &model, setting](const QString& text) {
    if (!takesInput()) return;
    model.text = fromQt(text);
    if (!setting) changed(e);
  });
  if (setting) connect(e, &QLineEdit::editingFinished, this, [this, e] {
      if (takesInput()) changed(e);
    });
  onOption(e, setting);
  return e;
}

QLineEdit* TfMain::hexEdit(THexEdit& model) {
  auto* e = new QLineEdit;
  bindControl(e, model);
  e->setMaxLength(model.maxLength);
  e->setFixedWidth(digitsWidth(e, std::max(model.maxLength, 2)));
  e->installEventFilter(new KeyFilter(&THexEdit::acceptsKey, host_, e));
  mirrors_.push_back([e, &model] {
    const QString text = toQt(model.text);
    if (e->text() != text) e->setText(text);
  });
  connect(e, &QLineEdit::textEdited, this, [this, e, &model](const QString& text) {
    if (!takesInput()) return;
    model.text = fromQt(text);
    changed(e);
  });
  return e;
}

QGroupBox* TfMain::radioGroup(TRadioGroup& model, const char* setting) {
  auto* box = new QGroupBox(toQt(model.caption));
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(kMargin, 4, kMargin, 4);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(2);
  auto* group = new QButtonGroup(box);
  const int columns = std::max(1, int(model.columns));
  const int rows = (int(model.items.size()) + columns - 1) / columns;
  for (int i = 0; i < int(model.items.size()); ++i) {
    auto* r = new QRadioButton(toQt(model.items[size_t(i)]));
    group->addButton(r, i);
    grid->addWidget(r, i % rows, i / rows);  // items run down the columns
  }
  bindControl(box, model);
  mirrors_.push_back([group, &model] {
    if (QAbstractButton* b = group->button(model.itemIndex)) b->setChecked(true);
  });
  connect(group, &QButtonGroup::idClicked, this, [this, box, &model](int id) {
    if (!takesInput()) return;
    model.itemIndex = id;
    changed(box);
  });
  onOption(box, setting);
  return box;
}

QComboBox* TfMain::comboBox(TComboBox& model, const char* setting) {
  auto* c = new ClosedComboBox;
  for (const std::string& item : model.items) c->addItem(toQt(item));
  bindControl(c, model);
  mirrors_.push_back([c, &model] {
    if (c->currentIndex() != model.itemIndex) c->setCurrentIndex(model.itemIndex);
  });
  connect(c, &QComboBox::activated, this, [this, c, &model](int i) {
    if (!takesInput()) return;
    model.itemIndex = i;
    changed(c);
  });
  onOption(c, setting);
  return c;
}

QLabel* TfMain::label(TLabel& model) {
  auto* l = new QLabel(toQt(model.caption));
  bindControl(l, model);
  mirrors_.push_back([l, &model] {
    const QString text = logTextToQt(model.caption);
    if (l->text() != text) l->setText(text);
  });
  return l;
}

QPlainTextEdit* TfMain::memo(TMemo& model) {
  auto* m = new QPlainTextEdit;
  m->setReadOnly(model.readOnly);
  m->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Tab moves on to the next control: a subtitle's text holds no tabs.
  m->setTabChangesFocus(true);
  bindControl(m, model);
  // Keeps what is shown, so a long text is not rebuilt on every mirror.
  auto shown = std::make_shared<std::vector<std::string>>();
  mirrors_.push_back([m, &model, shown] {
    if (*shown == model.lines) return;
    *shown = model.lines;
    m->setPlainText(linesToQt(model.lines));
  });
  connect(m, &QPlainTextEdit::textChanged, this, [this, m, &model, shown] {
    if (!takesInput()) return;
    model.lines = linesFromQt(m->toPlainText());
    *shown = model.lines;
    changed(m);
  });
  return m;
}

// ---- Building the pages ----

QWidget* TfMain::buildFileRow() {
  Controls& ui = app_.ui;
  auto* w = new QWidget;
  auto* l = row();
  w->setLayout(l);
  eSUPfile_ = pathEdit(ui.eSUPfile);
  eSUPfile_->setPlaceholderText(QStringLiteral("Subtitle stream (.sup) or SRT file"));
  bReadSUP_ = button(ui.bReadSUP);
  bbSUP_ = browseButton(ui.bbSUP, QStringLiteral("Open a subtitle stream"));
  // The arrow beside "..." lists the files read last.
  auto* recent = new QMenu(bbSUP_);
  recent->setObjectName(QStringLiteral("recentFiles"));
  bbSUP_->setMenu(recent);
  bbSUP_->setPopupMode(QToolButton::MenuButtonPopup);
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
  connect(eSUPfile_, &QLineEdit::returnPressed, this, [this] {
    if (app_.ui.bReadSUP.enabled) changed(bReadSUP_);
  });
  l->addWidget(eSUPfile_, 1);
  l->addWidget(bReadSUP_);
  l->addWidget(bbSUP_);
  return w;
}

QWidget* TfMain::buildStatusPage() {
  Controls& ui = app_.ui;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  v->setSpacing(kSpacing);
  auto* top = row();
  cbAutoClear_ = checkBox(ui.cbAutoClear, "AutoClear");
  bClear_ = button(ui.bClear);
  top->addWidget(cbAutoClear_);
  top->addStretch(1);
  // The colour conversion check; hidden, as the model keeps it.
  for (THexEdit* h : {&ui.HexEdit1, &ui.HexEdit2, &ui.HexEdit3}) top->addWidget(hexEdit(*h));
  Button1_ = button(ui.Button1);
  top->addWidget(Button1_);
  top->addWidget(bClear_);
  v->addLayout(top);
  reMessage_ = new LogView;
  v->addWidget(reMessage_, 1);
  return page;
}

QWidget* TfMain::buildSrtPage() {
  Controls& ui = app_.ui;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  v->setSpacing(kSpacing);
  lSRTfile_ = label(ui.lSRTfile);
  lSRTfile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  mSRT_ = memo(ui.mSRT);
  bSaveSRT_ = button(ui.bSaveSRT);
  bOpenSRT_ = button(ui.bOpenSRT);
  v->addWidget(lSRTfile_);
  v->addWidget(mSRT_, 1);
  auto* buttons = row();
  buttons->addStretch(1);
  buttons->addWidget(bOpenSRT_);
  buttons->addWidget(bSaveSRT_);
  v->addLayout(buttons);
  return page;
}

QWidget* TfMain::buildImagePage() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(0, 0, 0, 0);
  spImage_ = new QSplitter(Qt::Vertical);
  spImage_->setChildrenCollapsible(false);
  sbImage_ = new QScrollArea;
  sbImage_->setWidgetResizable(false);
  sbImage_->setFrameShape(QFrame::NoFrame);
  sbImage_->setBackgroundRole(QPalette::Dark);
  sbImage_->setAlignment(Qt::AlignCenter);
  Image_ = new ImageView(app_.display);
  sbImage_->setWidget(Image_);
  bindControl(sbImage_, app_.ui.sbImage);
  // The render scrolls to its subtitle; the user's own scrolling goes back into the model so
  // that the next render's scroll is seen as a change.
  mirrors_.push_back([this] {
    showFit();
    Image_->refresh();
    Image_->setVisible(app_.ui.Image.visible);
    QScrollBar* bar = sbImage_->verticalScrollBar();
    if (bar->value() != app_.ui.sbImage.vertPosition) bar->setValue(app_.ui.sbImage.vertPosition);
    if (app_.curSub != centredSub_) centreOnSubtitle();
  });
  connect(sbImage_->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { centreOnSubtitle(); });
  // Only the user's scrolling: a value clamped while the range changes (a layout pass in which
  // the view is larger than the picture) must not overwrite the subtitle's scroll.
  connect(sbImage_->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
    QTimer::singleShot(0, this, [this] { app_.ui.sbImage.vertPosition = sbImage_->verticalScrollBar()->value(); });
  });
  // A page that was never shown has no scroll range yet: the scroll waits for the range.
  connect(sbImage_->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
    QScrollBar* bar = sbImage_->verticalScrollBar();
    if (bar->value() == app_.ui.sbImage.vertPosition) return;
    const bool was = mirroring_;
    mirroring_ = true;
    bar->setValue(app_.ui.sbImage.vertPosition);
    mirroring_ = was;
  });
  spImage_->addWidget(sbImage_);
  spImage_->addWidget(buildSubtitlePanel());
  spImage_->setStretchFactor(0, 1);
  spImage_->setStretchFactor(1, 0);
  v->addWidget(spImage_);
  return page;
}

QWidget* TfMain::buildSubtitlePanel() {
  Controls& ui = app_.ui;
  pSub_ = new QWidget;
  auto* h = new QHBoxLayout(pSub_);
  h->setContentsMargins(kMargin, kMargin - 2, kMargin, kMargin - 2);
  h->setSpacing(kSpacing + 2);

  auto* info = new QVBoxLayout;
  info->setSpacing(2);
  lStartEnd_ = label(ui.lStartEnd);
  lArea_ = label(ui.lArea);
  lArea2_ = label(ui.lArea2);
  for (QLabel* l : {lStartEnd_, lArea_, lArea2_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  info->addWidget(lStartEnd_);
  info->addWidget(lArea_);
  info->addWidget(lArea2_);
  auto* selector = row(2);
  KeyFilter* filter = nullptr;
  ieSubs_ = intEdit(ui.ieSubs, nullptr, &filter);
  ieSubs_->setToolTip(QStringLiteral("Subtitle number"));
  filter->onStep = [this](int step) {
    if (app_.ui.ieSubs.enabled && app_.ui.udSubs.max >= 1)
      run([step](App& app) { setSubsPosition(app, app.ui.udSubs.position + step); });
  };
  udSubsUp_ = new QToolButton;
  udSubsDown_ = new QToolButton;
  udSubsUp_->setArrowType(Qt::UpArrow);
  udSubsDown_->setArrowType(Qt::DownArrow);
  auto* ud = new QWidget;
  auto* udLayout = new QVBoxLayout(ud);
  udLayout->setContentsMargins(0, 0, 0, 0);
  udLayout->setSpacing(0);
  for (QToolButton* b : {udSubsUp_, udSubsDown_}) {
    b->setFixedSize(18, ieSubs_->sizeHint().height() / 2);
    b->setAutoRepeat(true);
    udLayout->addWidget(b);
  }
  // The arrows step through the list whenever the number box can: the model's own enabled
  // state of the up-down control is never switched on by the render.
  mirrors_.push_back([this, ud] { ud->setEnabled(app_.ui.ieSubs.enabled && app_.ui.udSubs.max >= 1); });
  connect(udSubsUp_, &QToolButton::clicked, this, [this] { changed(udSubsUp_); });
  connect(udSubsDown_, &QToolButton::clicked, this, [this] { changed(udSubsDown_); });
  lMaxline_ = label(ui.lMaxline);
  selector->addWidget(ieSubs_);
  selector->addWidget(ud);
  selector->addSpacing(4);
  selector->addWidget(lMaxline_);
  selector->addStretch(1);
  info->addLayout(selector);
  cbLock_ = checkBox(ui.cbLock);
  cbFit_ = checkBox(ui.cbFit, "Fit");
  auto* toggles = row(12);
  toggles->addWidget(cbLock_);
  toggles->addWidget(cbFit_);
  toggles->addStretch(1);
  info->addLayout(toggles);
  info->addStretch(1);
  h->addLayout(info);

  mSubtext_ = memo(ui.mSubtext);
  QFont bold = mSubtext_->font();
  bold.setBold(true);
  mSubtext_->setFont(bold);
  mSubtext_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mSubtext_->setMinimumWidth(120);
  h->addWidget(mSubtext_, 1);

  rgFont_ = radioGroup(ui.rgFont);
  auto* ocr = new QVBoxLayout;
  ocr->setSpacing(4);
  bOCR_ = button(ui.bOCR);
  bPrev_ = button(ui.bPrev);
  bNext_ = button(ui.bNext);
  ocr->addWidget(bOCR_);
  ocr->addWidget(bPrev_);
  ocr->addWidget(bNext_);
  ocr->addStretch(1);
  h->addWidget(rgFont_, 0, Qt::AlignTop);
  h->addLayout(ocr);
  return pSub_;
}

QWidget* TfMain::buildOptionsPage() {
  Controls& ui = app_.ui;
  auto* inner = new OptionGroups;

  auto group = [](const char* title) {
    auto* g = new QGroupBox(QString::fromLatin1(title));
    return g;
  };
  auto form = [](QGroupBox* g) {
    auto* f = new QFormLayout(g);
    f->setContentsMargins(kMargin, 6, kMargin, 6);
    f->setHorizontalSpacing(kSpacing);
    f->setVerticalSpacing(4);
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return f;
  };
  auto pathRow = [&](QLineEdit* edit, QToolButton* browse) {
    auto* w = new QWidget;
    auto* l = row(2);
    w->setLayout(l);
    l->addWidget(edit, 1);
    l->addWidget(browse);
    return w;
  };

  // Image.
  QGroupBox* image = group("Image");
  auto* iv = new QVBoxLayout(image);
  iv->setContentsMargins(kMargin, 6, kMargin, 6);
  iv->setSpacing(3);
  iv->addWidget(checkBox(ui.cbBorders, "Borders"));
  iv->addWidget(checkBox(ui.cbPalette, "Palette"));
  iv->addWidget(checkBox(ui.cbBack, "Background"));
  bbBackground_ = browseButton(ui.bbBackground, QStringLiteral("Choose the background picture"));
  iv->addWidget(pathRow(pathEdit(ui.eBackground, "Backpic"), bbBackground_));
  auto* files = new QGridLayout;
  files->setHorizontalSpacing(kSpacing);
  files->setVerticalSpacing(3);
  files->addWidget(checkBox(ui.cbBMP, "SaveBMP"), 0, 0);
  files->addWidget(checkBox(ui.cbPNG, "SavePNG"), 0, 1);
  files->addWidget(checkBox(ui.cb720p, "720p"), 0, 2);
  files->addWidget(checkBox(ui.cbBDN, "Scenarist"), 1, 0, 1, 2);
  files->addWidget(checkBox(ui.cbOCR, "OCR"), 1, 2);
  iv->addLayout(files);
  iv->addStretch(1);

  // General.
  QGroupBox* general = group("General");
  auto* gv = new QVBoxLayout(general);
  gv->setContentsMargins(kMargin, 6, kMargin, 6);
  gv->setSpacing(3);
  gv->addWidget(checkBox(ui.cbAutoRead, "AutoRead"));
  gv->addWidget(checkBox(ui.cbDetails, "Details"));
  gv->addSpacing(4);
  gv->addWidget(new QLabel(QStringLiteral("Output folder")));
  bbWorkdir_ = browseButton(ui.bbWorkdir, QStringLiteral("Choose the output folder"));
  QLineEdit* workDir = pathEdit(ui.eWorkDir, "Workdir");
  workDir->setPlaceholderText(QStringLiteral("beside the source file"));
  gv->addWidget(pathRow(workDir, bbWorkdir_));
  gv->addStretch(1);

  // OCR.
  QGroupBox* ocr = group("OCR");
  QFormLayout* of = form(ocr);
  auto* skew = row(4);
  skew->addWidget(intEdit(ui.ieMUL, "C_Mul"));
  skew->addWidget(new QLabel(QStringLiteral("/")));
  skew->addWidget(intEdit(ui.ieDIV, "C_Div"));
  skew->addStretch(1);
  of->addRow(QStringLiteral("Skew"), skew);
  of->addRow(QStringLiteral("Level"), intEdit(ui.ieCutLevel, "CutLevel"));
  of->addRow(toQt(ui.coLang.caption), comboBox(ui.coLang, "Language"));
  auto* space = row(4);
  space->addWidget(intEdit(ui.ieSpaceWidth, "SpaceWidth"));
  space->addWidget(intEdit(ui.ieSpaceWmin, "SpaceWmin"));
  space->addStretch(1);
  of->addRow(QStringLiteral("Space width"), space);
  of->addRow(checkBox(ui.cbTags, "Tags"));
  of->addRow(toQt(ui.coEngine.caption), comboBox(ui.coEngine, "Engine"));
  QLineEdit* ocrLang = pathEdit(ui.eOcrLang, "OcrLang");
  ocrLang->setMaximumWidth(digitsWidth(ocrLang, 12));
  of->addRow(QStringLiteral("Tesseract language"), ocrLang);

  // SRT.
  QGroupBox* srt = group("SRT");
  QFormLayout* sf = form(srt);
  sf->addRow(QStringLiteral("Spacing"), intEdit(ui.ieSpacing, "Spacing"));
  sf->addRow(toQt(ui.coLetters.caption), comboBox(ui.coLetters, "Letters"));
  sf->addRow(QStringLiteral("Last line"), intEdit(ui.ieLastLine, "LastLine"));
  sf->addRow(QStringLiteral("Line spacing"), intEdit(ui.ieLineSpc, "LineSpc"));
  sf->addRow(QStringLiteral("Color"), intEdit(ui.ieMaxColor, "MaxColor"));
  sf->addRow(toQt(ui.coSrtEncoding.caption), comboBox(ui.coSrtEncoding, "SrtEncoding"));

  // Stream export and frame.
  QGroupBox* stream = group("Stream exp.");
  auto* sv = new QVBoxLayout(stream);
  sv->setContentsMargins(kMargin, 6, kMargin, 6);
  QGroupBox* format = radioGroup(ui.rgFormat, "Format");
  format->setFlat(true);
  sv->addWidget(format);
  sv->addStretch(1);

  QGroupBox* frame = group("Frame");
  auto* fv = new QHBoxLayout(frame);
  fv->setContentsMargins(kMargin, 6, kMargin, 6);
  QGroupBox* rate = radioGroup(ui.rgFrame, "Frame");
  QGroupBox* type = radioGroup(ui.rgDrop);
  rate->setFlat(true);
  type->setFlat(true);
  fv->addWidget(rate, 3);
  fv->addWidget(type, 1);

  inner->setGroups({image, general, ocr, srt, stream, frame});

  // A small window scrolls the options down rather than squeezing them.
  auto* scroll = new QScrollArea;
  scroll->setWidget(inner);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return scroll;
}

QWidget* TfMain::buildAboutPage() {
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  mAbout_ = new QTextBrowser;
  mAbout_->setOpenLinks(false);
  bindControl(mAbout_, app_.ui.mAbout);
  mirrors_.push_back([this] {
    const QString html = aboutHtml(app_.ui.mAbout.lines);
    if (mAbout_->property("shown").toString() != html) {
      mAbout_->setHtml(html);
      mAbout_->setProperty("shown", html);
    }
  });
  v->addWidget(mAbout_);
  return page;
}

QWidget* TfMain::buildBottomRow() {
  Controls& ui = app_.ui;
  auto* w = new QWidget;
  auto* l = row();
  w->setLayout(l);
  bSaveBMP_ = button(ui.bSaveBMP);
  bOCRall_ = button(ui.bOCRall);
  WebLink_ = label(ui.WebLink);
  WebLink_->setForegroundRole(QPalette::PlaceholderText);
  WebLink_->setAlignment(Qt::AlignCenter);
  ProgressBar_ = new QProgressBar;
  ProgressBar_->setTextVisible(true);
  ProgressBar_->setMinimumWidth(80);
  bindControl(ProgressBar_, ui.ProgressBar);
  mirrors_.push_back([this] {
    const TProgressBar& p = app_.ui.ProgressBar;
    if (ProgressBar_->minimum() != p.min || ProgressBar_->maximum() != p.max) ProgressBar_->setRange(p.min, p.max);
    if (ProgressBar_->value() != p.position) ProgressBar_->setValue(p.position);
  });
  bCancel_ = button(ui.bCancel);
  bExport_ = button(ui.bExport);
  l->addWidget(bSaveBMP_);
  l->addWidget(bOCRall_);
  // The label sits in the middle of the gap between "OCR all" and "Cancel"; the progress bar
  // takes its place while an operation runs.
  l->addStretch(1);
  l->addWidget(WebLink_);
  l->addWidget(ProgressBar_, 4);
  l->addStretch(1);
  l->addWidget(bCancel_);
  l->addWidget(bExport_);
  return w;
}

void TfMain::fillRecentMenu(QMenu* menu) {
  menu->clear();
  menu->addSection(QStringLiteral("Recent files"));
  const auto& files = app_.ui.recentFiles;
  bool any = false;
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i].empty()) continue;
    any = true;
    // An ampersand in a file name would otherwise mark a shortcut key.
    QString text = pathToQt(files[i]);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    connect(menu->addAction(text), &QAction::triggered, this,
            [this, i] { run([i](App& app) { openRecentFile(app, i); }); });
  }
  if (!any) menu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
}

// Fit: the scroll box gives the picture its whole page; real size: the picture is as large as
// the display and the box scrolls over it, centred on the subtitle again.
void TfMain::showFit() {
  const bool fit = app_.ui.cbFit.checked;
  if (Image_->fit() == fit) return;
  if (fit) {
    Image_->setFit(true);
    sbImage_->setWidgetResizable(true);
  } else {
    sbImage_->setWidgetResizable(false);
    Image_->setFit(false);
  }
  centredSub_ = -1;
}

// The picture is as wide as the display, far wider than the window: a subtitle drawn right of
// the view's left edge would not be seen. Centred across once per subtitle, the user's own
// scrolling stays until another subtitle is drawn.
void TfMain::centreOnSubtitle() {
  QScrollBar* bar = sbImage_->horizontalScrollBar();
  const int n = app_.curSub;
  if (n < 0 || size_t(n) >= app_.subs.size()) return;
  const TSUPWin& w = app_.subs[size_t(n)].win[0];
  bar->setValue((int(w.x1) + int(w.x2)) / 2 - sbImage_->viewport()->width() / 2);
  // A range still empty (a page not yet shown) leaves the centring to its first real range.
  if (bar->maximum() > 0) centredSub_ = n;
}
