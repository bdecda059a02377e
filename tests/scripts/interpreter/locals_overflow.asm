class c
method deep
  localint $2
end method
end class
new c, o
localint $999
call o, deep
