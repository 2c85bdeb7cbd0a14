#include <gtest/gtest.h>

#include "app/ui/EntryTableView.h"
#include "app/ui/TablePage.h"
TEST(Scratch, Shot) {
    CellTableModel model(TableKind::Sheet);
    model.Edit([](CellTable& t) {
        t.Resize(40, 7);
        const char* h[] = {"Label", "Length", "Width", "Quant", "Cost", "Priority", "Left Quant"};
        for (int c = 0; c < 7; ++c) t.SetCell(1, c, h[c]);
        t.SetCell(0, 0, "Total");
        t.SetCell(0, 1, "Area");
        t.SetCell(0, 2, "1,640,000.0");
        t.SetCell(0, 3, "3");
        t.SetCell(0, 4, "0.0");
        for (int r = 2; r < 40; ++r) {
            t.SetCell(r, 0, "Birch " + std::to_string(r));
            t.SetCell(r, 1, "2440");
            t.SetCell(r, 2, "1220");
            t.SetCell(r, 3, "2");
            t.SetCell(r, 5, "Yes");
            t.SetCell(r, 6, "2");
        }
    });
    TablePage page(model);
    page.Retranslate();
    page.resize(790, 540);
    page.show();
    page.View().scrollToBottom();
    page.grab().save(QStringLiteral("/tmp/shots/table.png"));
}
