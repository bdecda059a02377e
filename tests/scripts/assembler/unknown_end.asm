end foo
