new int, a
new int, b
new int, ida
new int, idb
call a, getidobj
pop ida
call b, getidobj
pop idb
sub idb, ida
pop idb
call idb, print
delete a
new int, c
call c, getidobj
pop ida
call b, getidobj
pop idb
sub ida, idb
pop ida
call ida, print
