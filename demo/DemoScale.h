#pragma once
// A simulated scale: an item placed on it settles after a few unstable
// readings; readings arrive every 200 ms like a real driver's.

#include <QObject>
#include <QTimer>

class DemoScale : public QObject
{
    Q_OBJECT
public:
    explicit DemoScale(QObject* parent = nullptr);

    void Start();
    // Milliseconds between readings (200, as a real driver's); a soak run
    // of thousands of weighings sets it shorter.
    void SetReadingInterval(int ms) { m_timer.setInterval(ms); }
    void PlaceItem(double kilograms);
    void RemoveItem();
    void Zero();
    void TakeTare();
    void ClearTare();
    void SetPresetTare(double kilograms);

    double NetWeight() const { return m_gross - m_tare; }
    double Tare() const { return m_tare; }
    // Whether the last reading was stable: the host sees the scale as the
    // screen does. Placing or removing an item makes it unstable at once.
    bool IsStable() const { return m_stable; }

signals:
    // weight, tare, stable, tare set, at zero, status (0 ok)
    void Reading(double weight, double tare, bool stable, bool tareSet, bool atZero, int status);

private:
    void Tick();

    QTimer m_timer;
    double m_gross = 0.0;
    double m_tare = 0.0;
    int m_settleTicks = 0;
    bool m_stable = true;
};
