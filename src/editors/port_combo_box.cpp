#include "editors/port_combo_box.h"


namespace {

// The path an item stores, and the device it shows; COM items carry neither.
constexpr int PathRole = Qt::UserRole;
constexpr int DeviceRole = Qt::UserRole + 1;

// The closed list stays as wide as a short label (the dialog has a fixed
// size); Qt opens the list as wide as its longest.
constexpr int ShownCharacters = 28;

} // namespace

const QStringList TPortComboBox::ComPorts = {QStringLiteral("Com1"), QStringLiteral("Com2"),
                                             QStringLiteral("Com3"), QStringLiteral("Com4")};

TPortComboBox::TPortComboBox(TSource source, const QString &hint, QWidget *parent)
    : QComboBox(parent)
    , m_source(std::move(source))
    , m_hint(hint)
{
    setEditable(true);
    // Enter ends the dialog; it must not add what was typed to the list.
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(ShownCharacters);
    // Completing a typed path from the labels would change what was typed.
    setCompleter(nullptr);
    connect(this, &QComboBox::currentIndexChanged, this, &TPortComboBox::ShowDetails);
    Fill(m_source ? m_source() : QList<TSerialDevices::TDevice>());
}

void TPortComboBox::Fill(const QList<TSerialDevices::TDevice> &devices)
{
    clear();
    addItems(ComPorts);
    for (const TSerialDevices::TDevice &device : devices) {
        addItem(device.Label());
        const int item = count() - 1;
        setItemData(item, device.PreferredPath(), PathRole);
        setItemData(item, QVariant::fromValue(device), DeviceRole);
        setItemData(item, device.Details(), Qt::ToolTipRole);
    }
    for (const QString &path : std::as_const(m_otherPaths))
        if (DeviceItem(path) < 0)
            AddPath(path);
}

int TPortComboBox::DeviceItem(const QString &path) const
{
    for (int item = ComPorts.size(); item < count(); ++item) {
        const QVariant device = itemData(item, DeviceRole);
        if (device.isValid() ? device.value<TSerialDevices::TDevice>().IsNamedBy(path)
                             : itemData(item, PathRole).toString() == path)
            return item;
    }
    return -1;
}

int TPortComboBox::AddPath(const QString &path)
{
    addItem(path);
    setItemData(count() - 1, path, PathRole);
    return count() - 1;
}

void TPortComboBox::Select(int comIndex, const QString &device)
{
    if (device.isEmpty()) {
        setCurrentIndex(comIndex >= 0 && comIndex < ComPorts.size() ? comIndex : 0);
        return;
    }
    int item = DeviceItem(device);
    if (item < 0) {
        // A device not plugged in now, or a pseudo-terminal: it stays offered.
        m_otherPaths.append(device);
        item = AddPath(device);
    }
    setCurrentIndex(item);
}

void TPortComboBox::Read(quint8 &comIndex, QString &device) const
{
    const QString text = currentText().trimmed();
    int item = currentIndex();
    if (item < 0 || itemText(item) != currentText()) {
        item = findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        // Paths are told apart by case, the COM names are not.
        if (const int com = findText(text, Qt::MatchFixedString); item < 0 && com < ComPorts.size())
            item = com;
    }
    if (item >= 0 && item < ComPorts.size()) {
        comIndex = quint8(item);
        device.clear();
    } else if (item >= 0) {
        device = itemData(item, PathRole).toString();
    } else if (!text.isEmpty()) {
        device = text;
    } else {
        device.clear();
    }
}

void TPortComboBox::Refresh()
{
    const int item = currentIndex();
    const int comIndex = item >= 0 && item < ComPorts.size() ? item : 0;
    const QString device = item >= ComPorts.size() ? itemData(item, PathRole).toString() : QString();
    // A text being typed is no item: it is put back as typed.
    const bool typed = item < 0 || itemText(item) != currentText();
    const QString text = currentText();
    const QSignalBlocker quiet(this);
    Fill(m_source ? m_source() : QList<TSerialDevices::TDevice>());
    Select(comIndex, device);
    if (typed)
        setEditText(text);
    ShowDetails();
}

void TPortComboBox::showPopup()
{
    Refresh();
    QComboBox::showPopup();
}

void TPortComboBox::ShowDetails()
{
    const QString details = itemData(currentIndex(), Qt::ToolTipRole).toString();
    setToolTip(details.isEmpty() ? m_hint : m_hint + QLatin1Char('\n') + details);
}
