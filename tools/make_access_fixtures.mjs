// Writes the Access test catalogues in tests/catalogue/access/: the six catalogue tables of an
// SQL file plus a table with one column of every other type the importer meets, as a Jet 3
// (Access 97), a Jet 4 (Access 2000-2003) and an ACE (Access 2007) file.
//
//     node tools/make_access_fixtures.mjs tests/fixtures/catalogue.sql tests/catalogue/access
//
// The source may also be an SQLite file, and the formats may be named (jet3, jet4, ace): the
// benchmarks turn their generated catalogue into a Jet 4 file this way.
//
// Needs only Debian's nodejs, sqlite3 (to read the SQL) and the C library's iconv (Jet 3 keeps
// text in the file's code page, here 936). The files hold what a reader needs and no more: no
// indexes, no properties, one usage-map page; tdef, data and long-value pages as the format
// lays them out. Check them with an independent reader: npm's mdb-reader opens all three.
import { execFileSync } from 'node:child_process';
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [sourcePath, outDir, ...formatNames] = process.argv.slice(2);
if (!sourcePath || !outDir) {
    console.error('usage: node make_access_fixtures.mjs CATALOGUE.sql|CATALOGUE.sqlite OUTDIR [FORMAT...]');
    process.exit(2);
}

// ---- column types --------------------------------------------------------------------------
const T = { BOOL: 0x01, BYTE: 0x02, INT: 0x03, LONG: 0x04, MONEY: 0x05, FLOAT: 0x06, DOUBLE: 0x07,
            DATETIME: 0x08, TEXT: 0x0a, OLE: 0x0b, MEMO: 0x0c, GUID: 0x0f, COMPLEX: 0x12 };
const FIXED_SIZE = { [T.BOOL]: 0, [T.BYTE]: 1, [T.INT]: 2, [T.LONG]: 4, [T.MONEY]: 8,
                     [T.FLOAT]: 4, [T.DOUBLE]: 8, [T.DATETIME]: 8, [T.GUID]: 16, [T.COMPLEX]: 4 };

// ---- the data ------------------------------------------------------------------------------
function sqliteJson(sql) {
    const source = sourcePath.endsWith('.sql') ? [':memory:', `.read ${sourcePath}`]
                                               : ['-readonly', sourcePath];
    const out = execFileSync('sqlite3', ['-json', ...source, sql], { maxBuffer: 1 << 30 });
    const text = out.toString('utf8').trim();
    return text ? JSON.parse(text) : [];
}

function catalogueTables() {
    const names = sqliteJson("select name from sqlite_schema where type='table' order by rowid");
    return names.map(({ name }) => {
        const info = sqliteJson(`pragma table_info("${name}")`);
        const columns = info.map((c) => ({
            name: c.name,
            type: /INT/i.test(c.type) ? T.LONG : T.TEXT,
            size: 255,
        }));
        const rows = sqliteJson(`select * from "${name}" order by rowid`)
            .map((row) => columns.map((c) => row[c.name]));
        return { name, columns, rows };
    });
}

// One column of every other type; row 2 holds Null wherever a column can, rows 3 and 4 long
// memos that need one and several long-value pages.
function typeSamples(ace) {
    const columns = [
        { name: 'ID', type: T.LONG },
        { name: '名称', type: T.TEXT, size: 50 },
        { name: '说明', type: T.MEMO },
        { name: '上架日期', type: T.DATETIME },
        { name: '价格', type: T.MONEY },
        { name: '在售', type: T.BOOL },
        { name: '图片', type: T.OLE },
        { name: '重量', type: T.FLOAT },
        { name: '系数', type: T.DOUBLE },
        { name: '数量', type: T.INT },
        { name: '等级', type: T.BYTE },
        { name: '编号', type: T.GUID },
    ];
    if (ace)
        columns.push({ name: '附件', type: T.COMPLEX });
    const guid = Buffer.from('00112233445566778899aabbccddeeff', 'hex');
    const picture = Buffer.from('89504e470d0a1a0a', 'hex');
    const row = (id, name, memo, date, price, onSale, picture_, weight, factor, count, grade,
                 guid_, attachment) =>
        [id, name, memo, date, price, onSale, picture_, weight, factor, count, grade, guid_]
            .concat(ace ? [attachment] : []);
    const longMemo = (n) => Array.from({ length: n }, (_, i) => `第${i}行说明。`).join('');
    return {
        name: 'TypeSamples',
        columns,
        rows: [
            row(1, '短剑', '锋利的短剑', new Date(Date.UTC(2004, 2, 1, 12, 30, 0)), 12.34, true,
                picture, 1.5, 0.25, -3, 200, guid, 7),
            row(2, null, null, null, null, false, null, null, null, null, null, null, null),
            row(3, '长说明', longMemo(120), new Date(Date.UTC(1999, 11, 31, 23, 59, 59)), -0.5,
                false, null, 0, 1e10, 32767, 0, guid, null),
            row(4, '更长的说明', longMemo(700), new Date(Date.UTC(1900, 0, 1)), 12345678.9012,
                true, null, -2.5, -1.0 / 3, -32768, 255, guid, 1),
        ],
    };
}

// ---- the formats ---------------------------------------------------------------------------
const FORMATS = {
    jet3: { file: 'catalogue-jet3.mdb', version: 0, pageSize: 2048, ace: false },
    jet4: { file: 'catalogue-jet4.mdb', version: 1, pageSize: 4096, ace: false },
    ace: { file: 'catalogue-ace.accdb', version: 2, pageSize: 4096, ace: true },
};

function encodeCp936(text) {
    return execFileSync('iconv', ['-f', 'UTF-8', '-t', 'CP936'], { input: Buffer.from(text) });
}

// Jet 4 keeps text as UCS-2; a text of Latin-1 characters alone may be stored "compressed":
// the marker FF FE, then one byte a character.
function encodeText(fmt, text, compress) {
    if (fmt.version === 0)
        return text ? encodeCp936(text) : Buffer.alloc(0);
    if (compress && /^[\u0001-\u00ff]+$/.test(text))
        return Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, 'latin1')]);
    return Buffer.from(text, 'utf16le');
}

function rc4(key, data) {
    const s = Array.from({ length: 256 }, (_, i) => i);
    for (let i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.length]) & 255;
        [s[i], s[j]] = [s[j], s[i]];
    }
    const out = Buffer.from(data);
    for (let n = 0, i = 0, j = 0; n < out.length; ++n) {
        i = (i + 1) & 255;
        j = (j + s[i]) & 255;
        [s[i], s[j]] = [s[j], s[i]];
        out[n] ^= s[(s[i] + s[j]) & 255];
    }
    return out;
}

function headerPage(fmt) {
    const page = Buffer.alloc(fmt.pageSize);
    page.writeUInt32LE(0x100, 0);
    page.write(fmt.ace ? 'Standard ACE DB' : 'Standard Jet DB', 4, 'latin1');
    page.writeUInt32LE(fmt.version, 0x14);
    const jet3 = fmt.version === 0;
    const plain = Buffer.alloc(jet3 ? 126 : 128);
    const at = (offset) => offset - 0x18;
    plain.writeUInt16LE(jet3 ? 936 : 1252, at(0x3c)); // code page
    plain.writeUInt32LE(0, at(0x3e)); // no database key: pages are not encrypted
    if (jet3)
        plain.writeUInt16LE(0x0804, at(0x3a)); // sort order: Chinese (PRC)
    else
        plain.writeUInt32LE(0x0409, at(0x6e)); // sort order: General
    rc4(Buffer.from([0xc7, 0xda, 0x39, 0x6b]), plain).copy(page, 0x18);
    return page;
}

// Offsets of the data page and table definition layouts.
function layout(fmt) {
    const jet3 = fmt.version === 0;
    return {
        jet3,
        rowCountAt: jet3 ? 8 : 12,
        countBytes: jet3 ? 1 : 2, // a row's column count, var count and offsets
        tdefHeader: jet3 ? 43 : 63,
        columnEntry: jet3 ? 18 : 25,
    };
}

class DataPage {
    constructor(fmt, owner) {
        this.fmt = fmt;
        this.lay = layout(fmt);
        this.page = Buffer.alloc(fmt.pageSize);
        this.page[0] = 0x01;
        this.page[1] = 0x01;
        if (typeof owner === 'string')
            this.page.write(owner, 4, 'latin1');
        else
            this.page.writeUInt32LE(owner, 4);
        this.rows = [];
        this.end = fmt.pageSize;
    }
    free() {
        return this.end - (this.lay.rowCountAt + 2 + 2 * (this.rows.length + 1)) - 4;
    }
    add(bytes) {
        if (bytes.length > this.free())
            return -1;
        this.end -= bytes.length;
        bytes.copy(this.page, this.end);
        this.rows.push(this.end);
        return this.rows.length - 1;
    }
    bytes() {
        const { rowCountAt } = this.lay;
        this.page.writeUInt16LE(this.rows.length, rowCountAt);
        this.rows.forEach((offset, i) => this.page.writeUInt16LE(offset, rowCountAt + 2 + 2 * i));
        this.page.writeUInt16LE(Math.max(this.free(), 0), 2);
        return this.page;
    }
}

// The file grows page by page; long values and usage maps go on pages of their own.
class FileWriter {
    constructor(fmt) {
        this.fmt = fmt;
        this.lay = layout(fmt);
        this.pages = [headerPage(fmt), new DataPage(fmt, 0).bytes()];
        this.lval = null;
    }
    reserve() {
        this.pages.push(null);
        return this.pages.length - 1;
    }
    // Stores a long value; returns its 12-byte header for the row.
    longValue(data) {
        const header = Buffer.alloc(12);
        const maxChunk = this.fmt.pageSize - this.lay.rowCountAt - 2 - 2 - 8;
        if (data.length <= 64) {
            header.writeUInt32LE((data.length | 0x80000000) >>> 0, 0);
            return Buffer.concat([header, data]);
        }
        if (data.length <= maxChunk) {
            header.writeUInt32LE((data.length | 0x40000000) >>> 0, 0);
            header.writeUInt32LE(this.lvalRow(data), 4);
            return header;
        }
        // Several pages, each row beginning with the pointer to the next.
        const chunks = [];
        for (let at = 0; at < data.length; at += maxChunk - 4)
            chunks.push(data.subarray(at, at + maxChunk - 4));
        let next = 0;
        for (let i = chunks.length - 1; i >= 0; --i) {
            const pointer = Buffer.alloc(4);
            pointer.writeUInt32LE(next, 0);
            next = this.lvalRow(Buffer.concat([pointer, chunks[i]]), true);
        }
        header.writeUInt32LE(data.length, 0);
        header.writeUInt32LE(next, 4);
        return header;
    }
    lvalRow(bytes, pageOfItsOwn = false) {
        if (!this.lval || pageOfItsOwn || this.lval.page.free() < bytes.length) {
            this.lval = { page: new DataPage(this.fmt, 'LVAL'), number: this.reserve() };
            this.pages[this.lval.number] = this.lval.page;
        }
        const row = this.lval.page.add(bytes);
        return ((this.lval.number << 8) | row) >>> 0;
    }
    finish() {
        return Buffer.concat(this.pages.map((p) => (p instanceof DataPage ? p.bytes() : p)));
    }
}

function encodeValue(file, column, value) {
    const fmt = file.fmt;
    switch (column.type) {
    case T.BYTE: return Buffer.from([value]);
    case T.INT: { const b = Buffer.alloc(2); b.writeInt16LE(value); return b; }
    case T.LONG: case T.COMPLEX: { const b = Buffer.alloc(4); b.writeInt32LE(value | 0); return b; }
    case T.MONEY: { const b = Buffer.alloc(8); b.writeBigInt64LE(BigInt(Math.round(value * 10000))); return b; }
    case T.FLOAT: { const b = Buffer.alloc(4); b.writeFloatLE(value); return b; }
    case T.DOUBLE: { const b = Buffer.alloc(8); b.writeDoubleLE(value); return b; }
    case T.DATETIME: {
        const b = Buffer.alloc(8);
        b.writeDoubleLE((value.getTime() - Date.UTC(1899, 11, 30)) / 86400000);
        return b;
    }
    case T.GUID: return Buffer.from(value);
    case T.TEXT: return encodeText(fmt, String(value), true);
    case T.MEMO: return file.longValue(encodeText(fmt, value, false));
    case T.OLE: return file.longValue(value);
    default: throw new Error(`no encoding for type ${column.type}`);
    }
}

function isFixed(column) {
    return column.type in FIXED_SIZE;
}

// A row: column count, fixed columns, variable columns, then (read from the end) the null mask,
// the variable column count, their offsets and the end of their data.
function encodeRow(file, table, values) {
    const lay = file.lay;
    const n = table.columns.length;
    const fixed = table.fixedSize;
    const head = Buffer.alloc(lay.countBytes + fixed);
    head.writeUIntLE(n, 0, lay.countBytes);
    const mask = Buffer.alloc((n + 7) >> 3);
    const varParts = [];
    const varOffsets = [];
    let at = head.length;
    table.columns.forEach((column, i) => {
        const value = values[i];
        if (column.type === T.BOOL) {
            if (value)
                mask[i >> 3] |= 1 << (i & 7);
            return;
        }
        if (value !== null && value !== undefined)
            mask[i >> 3] |= 1 << (i & 7);
        if (isFixed(column)) {
            if (value !== null && value !== undefined)
                encodeValue(file, column, value).copy(head, lay.countBytes + column.fixedOffset);
            return;
        }
        varOffsets.push(at);
        if (value !== null && value !== undefined && value !== '') {
            const bytes = encodeValue(file, column, value);
            varParts.push(bytes);
            at += bytes.length;
        }
    });
    const vars = varOffsets.length;
    const tail = [];
    if (table.varCount > 0) {
        const entry = (v) => {
            const b = Buffer.alloc(lay.countBytes);
            b.writeUIntLE(v, 0, lay.countBytes);
            return b;
        };
        tail.push(entry(at)); // end of the variable data
        for (let i = vars - 1; i >= 0; --i)
            tail.push(entry(varOffsets[i]));
        tail.push(entry(vars));
    }
    tail.push(mask);
    const row = Buffer.concat([head, ...varParts, ...tail]);
    if (lay.jet3 && row.length >= 256)
        throw new Error(`${table.name}: a Jet 3 row of ${row.length} bytes needs a jump table`);
    if (lay.jet3 && at > 255)
        throw new Error(`${table.name}: Jet 3 offsets are single bytes`);
    return row;
}

function prepareTable(table) {
    let fixedOffset = 0;
    let varIndex = 0;
    table.columns.forEach((column, i) => {
        column.number = i;
        if (isFixed(column)) {
            column.fixedOffset = fixedOffset;
            fixedOffset += FIXED_SIZE[column.type];
        } else {
            column.varIndex = varIndex++;
        }
    });
    table.fixedSize = fixedOffset;
    table.varCount = varIndex;
}

function tdefBytes(file, table) {
    const { fmt, lay } = file;
    const head = Buffer.alloc(lay.tdefHeader);
    head[0] = 0x02;
    head[1] = 0x01;
    if (lay.jet3)
        head.write('VC', 2, 'latin1');
    const set = (jet3At, jet4At, bytes, value) =>
        head.writeUIntLE(value, lay.jet3 ? jet3At : jet4At, bytes);
    set(12, 16, 4, table.rows.length);
    head[lay.jet3 ? 20 : 40] = table.system ? 0x53 : 0x4e;
    set(21, 41, 2, table.columns.length); // max columns
    set(23, 43, 2, table.varCount);
    set(25, 45, 2, table.columns.length);
    set(35, 55, 4, table.usedMap);
    set(39, 59, 4, table.freeMap);
    if (!lay.jet3)
        head[24] = 0x01;

    const entries = table.columns.map((column) => {
        const e = Buffer.alloc(lay.columnEntry);
        const fixed = isFixed(column);
        const size = column.type === T.TEXT ? column.size * (lay.jet3 ? 1 : 2)
                   : fixed ? FIXED_SIZE[column.type] : 0;
        const flags = (fixed ? 0x01 : 0) | 0x02 | (column.type === T.COMPLEX ? 0x04 : 0);
        const textual = column.type === T.TEXT || column.type === T.MEMO;
        e[0] = column.type;
        if (lay.jet3) {
            e.writeUInt16LE(column.number, 1);
            e.writeUInt16LE(fixed ? 0 : column.varIndex, 3);
            e.writeUInt16LE(column.number, 5);
            if (textual) {
                e.writeUInt16LE(0x0804, 7);
                e.writeUInt16LE(936, 9);
            }
            e[13] = flags;
            e.writeUInt16LE(fixed ? column.fixedOffset : 0, 14);
            e.writeUInt16LE(size, 16);
        } else {
            e.writeUInt16LE(column.number, 5);
            e.writeUInt16LE(fixed ? 0 : column.varIndex, 7);
            e.writeUInt16LE(column.number, 9);
            if (textual)
                e.writeUInt16LE(0x0409, 11);
            if (column.type === T.COMPLEX)
                e.writeUInt32LE(column.complexId, 11);
            e[15] = flags;
            e[16] = column.type === T.TEXT ? 0x01 : 0x00; // compressed unicode allowed
            e.writeUInt16LE(fixed ? column.fixedOffset : 0, 21);
            e.writeUInt16LE(size, 23);
        }
        return e;
    });
    const names = table.columns.map((column) => {
        const name = lay.jet3 ? encodeCp936(column.name) : Buffer.from(column.name, 'utf16le');
        const len = Buffer.alloc(lay.jet3 ? 1 : 2);
        len.writeUIntLE(name.length, 0, len.length);
        return Buffer.concat([len, name]);
    });
    const body = Buffer.concat([head, ...entries, ...names]);
    const page = Buffer.alloc(fmt.pageSize);
    body.copy(page);
    if (body.length > fmt.pageSize)
        throw new Error(`${table.name}: the table definition needs more than a page`);
    page.writeUInt32LE(body.length, 8);
    if (!lay.jet3)
        page.writeUInt16LE(fmt.pageSize - body.length - 8, 2);
    return page;
}

function writeFile(fmt, userTables) {
    const file = new FileWriter(fmt);
    const sysObjects = {
        name: 'MSysObjects',
        system: true,
        columns: [
            { name: 'Id', type: T.LONG },
            { name: 'ParentId', type: T.LONG },
            { name: 'Name', type: T.TEXT, size: 255 },
            { name: 'Type', type: T.INT },
            { name: 'Flags', type: T.LONG },
            { name: 'LvProp', type: T.OLE },
        ],
        rows: [],
    };
    const tables = [sysObjects, ...userTables];
    tables.forEach(prepareTable);
    // MSysObjects' definition is always page 2.
    sysObjects.tdefPage = file.reserve();
    const mapPage = new DataPage(fmt, 0);
    const mapPageNumber = file.reserve();
    file.pages[mapPageNumber] = mapPage;
    for (const table of userTables)
        table.tdefPage = file.reserve();
    sysObjects.rows = tables.map((t) => [t.tdefPage, 0x0f000001, t.name, 1,
                                         t.system ? 0x80000002 : t.hidden ? 0x80000000 : 0,
                                         null]);
    for (const table of tables)
        table.rows = table.rows.map((row) => row.map((v) => (typeof v === 'function' ? v() : v)));

    for (const table of tables) {
        const dataPages = [];
        let page = null;
        for (const values of table.rows) {
            const row = encodeRow(file, table, values);
            if (!page || page.page.add(row) < 0) {
                page = { page: new DataPage(fmt, table.tdefPage), number: file.reserve() };
                file.pages[page.number] = page.page;
                dataPages.push(page.number);
                if (page.page.add(row) < 0)
                    throw new Error(`${table.name}: a row larger than a page`);
            }
        }
        // A type 0 map: its first page (0), then a bit for each page; at least 64 bytes.
        const map = Buffer.alloc(Math.max(64, 5 + ((file.pages.length + 7) >> 3)));
        for (const number of dataPages)
            map[5 + (number >> 3)] |= 1 << (number & 7);
        const mapRow = (bytes) => {
            const row = mapPage.add(bytes);
            if (row < 0)
                throw new Error('the usage maps need more than a page');
            return ((mapPageNumber << 8) | row) >>> 0;
        };
        table.usedMap = mapRow(map);
        table.freeMap = mapRow(Buffer.from(map));
    }
    for (const table of tables)
        file.pages[table.tdefPage] = tdefBytes(file, table);
    return file.finish();
}

// An attachment column keeps its files in a hidden flat table, found through
// MSysComplexColumns by the complex ID in the column's definition.
function attachmentTables(owner) {
    const column = owner.columns.find((c) => c.type === T.COMPLEX);
    column.complexId = 1;
    const fileData = (text) => {
        const payload = Buffer.from(text, 'utf8');
        const header = Buffer.alloc(8);
        header.writeUInt32LE(8, 0); // the header's length, then flags
        header.writeUInt32LE(1, 4);
        const content = Buffer.concat([header, payload]);
        const wrapper = Buffer.alloc(8);
        wrapper.writeUInt32LE(0, 0); // stored, not deflated
        wrapper.writeUInt32LE(content.length, 4);
        return Buffer.concat([wrapper, content]);
    };
    const flat = {
        name: 'f_7A3C19E0B5D24F6A_附件',
        hidden: true,
        columns: [
            { name: 'FileData', type: T.OLE },
            { name: 'FileFlags', type: T.LONG },
            { name: 'FileName', type: T.TEXT, size: 255 },
            { name: 'FileTimeStamp', type: T.DATETIME },
            { name: 'FileType', type: T.TEXT, size: 255 },
            { name: 'FileURL', type: T.MEMO },
            { name: 'TypeSamples_附件', type: T.LONG },
        ],
        rows: [
            [fileData('sword sketch'), 0, '短剑.txt', new Date(Date.UTC(2004, 2, 1)), 'txt', null, 7],
            [fileData('first note'), 0, 'note.txt', null, 'txt', null, 1],
        ],
    };
    const complexColumns = {
        name: 'MSysComplexColumns',
        hidden: true,
        columns: [
            { name: 'ColumnName', type: T.TEXT, size: 255 },
            { name: 'ComplexID', type: T.LONG },
            { name: 'ComplexTypeObjectID', type: T.LONG },
            { name: 'ConceptualTableID', type: T.LONG },
            { name: 'FlatTableID', type: T.LONG },
        ],
        // The table IDs are the definition pages, known once the file is laid out.
        rows: [[column.name, column.complexId, 0, () => owner.tdefPage, () => flat.tdefPage]],
    };
    return [flat, complexColumns];
}

const base = catalogueTables();
mkdirSync(outDir, { recursive: true });
for (const [key, fmt] of Object.entries(FORMATS)) {
    if (formatNames.length && !formatNames.includes(key))
        continue;
    const tables = base.map((t) => ({ ...t, columns: t.columns.map((c) => ({ ...c })) }));
    const samples = typeSamples(fmt.ace);
    tables.push(samples);
    if (fmt.ace)
        tables.push(...attachmentTables(samples));
    const bytes = writeFile(fmt, tables);
    writeFileSync(join(outDir, fmt.file), bytes);
    console.log(`${fmt.file}: ${bytes.length} bytes`);
}
