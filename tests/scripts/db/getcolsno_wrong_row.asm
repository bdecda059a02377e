; "getcolsno" of a row outside the table.
new db, t
push -2
call t, getcolsno
