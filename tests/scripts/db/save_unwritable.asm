; Saving where no file can be made is fatal.
new db, t
push -1
push "a"
call t, add
push "no/such/dir/t.db"
call t, save
