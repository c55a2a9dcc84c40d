// The baseline of the record list benchmark: the 44 raw columns of grjbxx00
// from a plain SELECT, written straight with libxlsxwriter in constant-memory
// mode, every data cell in the text format, as our export writes them.
// Usage: bench-recordlist DATABASE OUT.xlsx
#include <xlsxwriter.h>

#include <cstdio>
#include <sqlite3.h>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench-recordlist DATABASE OUT.xlsx\n");
        return 2;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return 1;
    sqlite3_stmt *stmt = nullptr;
    const char *sql =
        "select z_xm, z_shbz, z_psbz, z_zkbz, z_sbxl, z_sbzg, z_sbdj, z_sbzy, z_jsfs, z_jsjcj, z_wycj, z_xrjszg, "
        "z_xrjszgsj, z_xb, z_mz, z_zzmm, z_zjlx, z_zjhm, z_csrq, z_first_xl, z_first_xw, z_first_bysj, "
        "z_first_byyx, z_first_sxzy, z_first_zshm, z_last_xl, z_last_xw, z_last_bysj, z_last_byyx, z_last_sxzy, "
        "z_last_zshm, z_gzdw, z_cjgzsj, z_yijzgbm, z_erjzgbm, z_sanjzgbm, z_sijzgbm, z_dwxz, z_cszy, z_dh1, z_dh2, "
        "z_dh3, z_dh4, z_bz from grjbxx00 order by z_zjhm";
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        return 1;
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(argv[2], &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "sheet");
    lxw_format *text = workbook_add_format(book);
    format_set_num_format(text, "@");
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), sqlite3_column_name(stmt, c), nullptr);
    lxw_row_t row = 1;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const unsigned char *value = sqlite3_column_text(stmt, c);
            if (value)
                worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), reinterpret_cast<const char *>(value),
                                       text);
        }
        ++row;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}
