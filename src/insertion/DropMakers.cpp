#include "insertion/DropMakers.h"

#include "insertion/DropTables.h"

#include <QHash>

namespace DropMakers {

namespace {
QHash<QString, Maker> &makers()
{
    static QHash<QString, Maker> table;
    return table;
}
}  // namespace

void add(const QString &action, Maker maker)
{
    // An empty maker takes the name out: calling it would throw.
    if (!maker)
        makers().remove(action);
    else
        makers().insert(action, std::move(maker));
}

bool has(const QString &action)
{
    return makers().contains(action);
}

bool run(InsertionFrame &frame, const DropCodeName &row, const QPointF &point)
{
    // A copy: a maker may register names while it runs.
    const Maker maker = makers().value(row.action);
    return maker ? maker(frame, row, point) : false;
}

QString snippetCode(const QString &argument)
{
    if (argument == QLatin1String("video"))
        return QStringLiteral("<div class=\"embed-responsive embed-responsive-4by3\">\n"
                              "<iframe class=\"embed-responsive-item\" src=\"REPLACE_WITH_VIDEO_URL\"></iframe>\n"
                              "</div>");
    if (argument == QLatin1String("buynow"))
        return QStringLiteral("<form name=\"_xclick\" action=\"https://www.paypal.com/cgi-bin/webscr\" method=\"post\">\n"
                              "<input type=\"hidden\" name=\"cmd\" value=\"_xclick\">\n"
                              "<input type=\"hidden\" name=\"business\" value=\"me@mybusiness.com\">\n"
                              "<input type=\"hidden\" name=\"currency_code\" value=\"USD\">\n"
                              "<input type=\"hidden\" name=\"item_name\" value=\"Product Name\">\n"
                              "<input type=\"hidden\" name=\"amount\" value=\"0.99\">\n"
                              "<input type=\"image\" src=\"https://www.paypalobjects.com/en_US/i/btn/btn_buynow_LG.gif\" "
                              "border=\"0\" name=\"submit\">\n"
                              "</form>");
    return QStringLiteral("<b>Enter HTML code here</b>");
}

QSizeF snippetSize(const QString &argument)
{
    if (argument == QLatin1String("video"))
        return {640, 480};
    if (argument == QLatin1String("buynow"))
        return {700, 200};
    return {250, 100};
}

}  // namespace DropMakers
